#!/usr/bin/env bash
# Fuzzes the game with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer: the
# soak's checks, with inputs in the soak's stream form, so that a crash file replays with
#   ashwicket_soak --replay @FILE
# The corpus starts from games the soak generates and is kept in the build directory.
#
#   scripts/soak-fuzz.sh [SECONDS] [BUILD_DIR]     defaults: 300, build-fuzz
#
# Environment: JOBS (parallel build jobs, default 1), ASHWICKET_SOAK_TOLERATE (failure kinds
# to let pass, comma-separated, e.g. countdown).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-300}"
build="${2:-build-fuzz}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

command -v clang++ >/dev/null 2>&1 || { echo "soak-fuzz: libFuzzer needs clang++" >&2; exit 1; }
generator=()
[ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" \
  -DCMAKE_CXX_COMPILER="$(command -v clang++)" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DASHWICKET_SANITIZE=ON \
  -DASHWICKET_SOAK_FUZZER=ON >/dev/null
cmake --build "$build" --target ashwicket_soak_fuzz ashwicket_soak -j "${JOBS:-1}"

cd "$build"
mkdir -p fuzz-corpus fuzz-artifacts
if [ -z "$(ls -A fuzz-corpus)" ]; then
  ./ashwicket_soak --seed 1 --keys 20000 --corpus fuzz-corpus --no-shrink >/dev/null || true
fi
./ashwicket_soak --dictionary fuzz.dict
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
./ashwicket_soak_fuzz fuzz-corpus -dict=fuzz.dict -max_total_time="$seconds" -max_len=16384 \
  -timeout=60 -artifact_prefix=fuzz-artifacts/ -print_final_stats=1

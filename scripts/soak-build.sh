#!/usr/bin/env bash
# Configures and builds the sanitized test programs (AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors) in a build directory of their own:
# ashwicket_tests and ashwicket_soak only, not the front-ends.
#
#   scripts/soak-build.sh [BUILD_DIR]      default: build-asan, relative to the repository
#
# Compiler: $CXX if set; else clang++ when it can link a sanitized program (Debian keeps
# clang's sanitizer runtime in libclang-rt-14-dev); else g++. Build type: $BUILD_TYPE, default
# Debug. Parallel jobs: $JOBS, default 1. Targets: $TARGETS, default both.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build-asan}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

# Whether this compiler builds and runs a program with both sanitizers.
sanitizers_work() {
  local compiler="$1" probe
  command -v "$compiler" >/dev/null 2>&1 || return 1
  probe="$(mktemp -d)"
  printf 'int main() { return 0; }\n' >"$probe/probe.cpp"
  if "$compiler" -fsanitize=address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1 &&
    "$probe/probe" >/dev/null 2>&1; then
    rm -rf "$probe"
    return 0
  fi
  rm -rf "$probe"
  return 1
}

if [ -n "${CXX:-}" ]; then
  compiler="$CXX"
elif sanitizers_work clang++; then
  compiler=clang++
elif sanitizers_work g++; then
  echo "soak-build: clang++ cannot link with the sanitizers (libclang-rt-14-dev missing?); using g++" >&2
  compiler=g++
else
  echo "soak-build: no compiler here can link a sanitized program" >&2
  exit 1
fi
compiler="$(command -v "$compiler")"

generator=()
if [ ! -f "$build/CMakeCache.txt" ]; then
  command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
fi
# A build directory set up earlier with another compiler would keep it: start that one afresh.
if [ -f "$build/CMakeCache.txt" ] &&
  ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$compiler" "$build/CMakeCache.txt"; then
  echo "soak-build: $build was configured with another compiler; configuring it afresh" >&2
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
  command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
fi

echo "soak-build: $compiler into $build" >&2
cmake -S "$root" -B "$build" "${generator[@]}" \
  -DCMAKE_CXX_COMPILER="$compiler" \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Debug}" \
  -DASHWICKET_SANITIZE=ON \
  -DASHWICKET_WERROR=ON \
  -DASHWICKET_TESTS=ON >/dev/null
read -r -a targets <<<"${TARGETS:-ashwicket_tests ashwicket_soak}"
cmake --build "$build" --target "${targets[@]}" -j "${JOBS:-1}"

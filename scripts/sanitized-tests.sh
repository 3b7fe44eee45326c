#!/usr/bin/env bash
# CI's sanitized run: builds the unit tests and the soak with AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/soak-build.sh), then runs every unit test, the soak's
# own ctest cases and a soak of $SOAK_KEYS keys. Exits non-zero if anything fails.
#
#   scripts/sanitized-tests.sh [BUILD_DIR]     default: build-asan
#
# Environment: SOAK_KEYS (default 100000), SOAK_SEED (default 1, so that a run can be
# repeated), JOBS (parallel build jobs, default 1), CXX (compiler, see soak-build.sh).
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build-asan}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
keys="${SOAK_KEYS:-100000}"
seed="${SOAK_SEED:-1}"

"$root/scripts/soak-build.sh" "$build" || { echo "sanitized-tests: the build failed" >&2; exit 1; }

# Every report is fatal, leaks included; UBSan prints where it happened.
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

failed=()
run() {
  local name="$1"
  shift
  echo "== $name" >&2
  if ! "$@"; then failed+=("$name"); fi
}

# The unit tests, straight from their binary: it holds no end-to-end test, which would need
# the front-ends this build leaves out.
run "unit tests" "$build/ashwicket_tests" --gtest_brief=1
run "soak ctest cases" ctest --test-dir "$build" -R '^soak\.' --output-on-failure
# Run from the build directory, where a failure leaves its reproducer file.
soak() { (cd "$build" && ./ashwicket_soak --seed "$seed" --keys "$keys"); }
run "soak of $keys keys (seed $seed)" soak

if [ ${#failed[@]} -gt 0 ]; then
  printf 'sanitized-tests: FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "sanitized-tests: all passed" >&2

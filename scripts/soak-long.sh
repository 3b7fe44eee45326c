#!/usr/bin/env bash
# The long soak: builds the sanitized soak (scripts/soak-build.sh, optimised, in a build
# directory of its own) and plays $1 keys, ten million by default, printing progress every
# minute and the figures at the end. A failure prints its reproducer and makes the script
# exit non-zero.
#
#   scripts/soak-long.sh [KEYS] [SEED]        SEED defaults to the current time, and is printed
#
# Environment: SOAK_BUILD_DIR (default build-soak), BUILD_TYPE (default RelWithDebInfo),
# SOAK_ARGS (more options for ashwicket_soak, e.g. "--tolerate countdown"), JOBS, CXX.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SOAK_BUILD_DIR:-build-soak}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
keys="${1:-10000000}"
seed="${2:-$(date +%s)}"

BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" TARGETS=ashwicket_soak "$root/scripts/soak-build.sh" "$build"

export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

echo "soak-long: $keys keys, seed $seed, sanitized build in $build" >&2
cd "$build"
# shellcheck disable=SC2086  # SOAK_ARGS is a list of options
exec ./ashwicket_soak --seed "$seed" --keys "$keys" --progress 60 ${SOAK_ARGS:-}

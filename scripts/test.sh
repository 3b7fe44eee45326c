#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests, the soak, the end-to-end tests of both
# front-ends, then the unit tests and a soak again under AddressSanitizer and UBSan.
#   scripts/test.sh            (the build goes to build/, the sanitized one to build-asan/)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh
cmake -S . -B build -DASHWICKET_WERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j2
JOBS="$(nproc)" ./scripts/sanitized-tests.sh build-asan

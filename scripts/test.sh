#!/usr/bin/env bash
# Installs what is missing; builds 澄览 with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the tests that do not need the web engine (its own processes are not built
# for them); then builds it plainly and runs the whole test suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

jobs=$(nproc)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCHENGLAN_WERROR=ON -DCHENGLAN_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure -LE web)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DCHENGLAN_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
# The tests run as root in CI, where the web engine needs its sandbox off; the test
# scripts set that for the engine's own tests, never the program.
(cd build && ctest --output-on-failure)

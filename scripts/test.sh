#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test; then runs every test again on an optimised build, because the sanitizers replace
# the allocator and so hide the paths that map large pixel blocks or run out of memory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
jobs=$(nproc)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMONTAGE_SANITIZE=ON
cmake --build build-test
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
ctest --test-dir build-test --output-on-failure -j "$jobs"

cmake -S . -B build-test-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMONTAGE_BENCH=OFF
cmake --build build-test-release
ctest --test-dir build-test-release --output-on-failure -j "$jobs"

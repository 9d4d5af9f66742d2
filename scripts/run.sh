#!/usr/bin/env bash
# Installs what is missing, builds an optimised program and starts it with any arguments given.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMONTAGE_TESTS=OFF -DMONTAGE_BENCH=OFF
cmake --build build
exec ./build/montage-designer "$@"

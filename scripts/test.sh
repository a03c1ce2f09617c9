#!/usr/bin/env bash
# Installs what is missing, builds the whole tree and runs the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DTORVIO_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j 2

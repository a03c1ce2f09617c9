#!/usr/bin/env bash
# The main job: installs what is missing, builds, and generates the default
# project's headers into ./out (torvio-gen).
# Options after the script name are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build
exec ./build/bin/torvio-gen "$@"

#!/usr/bin/env bash
# The main job: installs what is missing, builds, and starts TORVIO on a new
# project. Arguments after the script name go to the program (a .tvd file
# opens that project). Without a display it runs on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a ./build/bin/torvio "$@"
fi
exec ./build/bin/torvio "$@"

#!/usr/bin/env bash
# The Windows libraries, cross-built and run under Wine:
#   bash scripts/windows.sh [BUILD_DIR]      (default build-windows/)
# builds PARVEX.dll and Sirenta.dll with the MinGW-w64 cross compiler,
# checks their export tables and ordinal bindings, runs the Qt-free test
# suites of sdk/ and mmi/ and the ordinal-bound generator under Wine, and
# compares the headers written under Wine with those written on Linux.
# Exits non-zero on any failure, and when Wine cannot start.
# TORVIO_LINUX_BUILD=<Linux build tree of the same sources> saves building
# PARVEX for Linux again for the comparison (CI passes its release build).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-windows}
build_abs=$(mkdir -p "$build" && cd "$build" && pwd)
start=$(date +%s)

bash scripts/setup.sh

# A fresh Wine prefix for this run, shared by its programs.
TORVIO_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/torvio-wine.XXXXXX")
export TORVIO_WINEPREFIX
trap 'WINEPREFIX="$TORVIO_WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; rm -rf "$TORVIO_WINEPREFIX"' EXIT

echo "== Wine =="
if ! boot=$(cmake/wine-run.sh wineboot -i 2>&1); then
  echo "windows.sh: Wine cannot start, so nothing can be tested under it:" >&2
  echo "$boot" >&2
  exit 1
fi

echo "== cross build =="
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DTORVIO_QT=OFF -DTORVIO_BENCHMARKS=OFF -DTORVIO_WERROR=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2

echo "== export tables, test suites and the ordinal-bound generator under Wine =="
ctest --test-dir "$build" --output-on-failure -j 2
log="$build/Testing/Temporary/LastTest.log"
passed=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$log" | awk '{s += $4} END {print s + 0}')
skipped=$(grep -Eo '^\[  SKIPPED \] [0-9]+' "$log" | awk '{s += $4} END {print s + 0}')
if [ "$passed" -eq 0 ]; then
  echo "windows.sh: no test case ran under Wine" >&2
  exit 1
fi
echo "GoogleTest under Wine: $passed passed, $skipped skipped"

echo "== the same records on Linux, for the byte comparison =="
linux_program="$build_abs/linux/bin/parvex_by_ordinal"
if [ -n "${TORVIO_LINUX_BUILD:-}" ]; then
  # A Linux build tree of the same sources (CI's release build) has the
  # library already: only the program is compiled, against it.
  linux_lib=$(cd "$TORVIO_LINUX_BUILD/lib" && pwd)
  mkdir -p "$build_abs/linux/bin"
  cc -std=c99 -Wall -Wextra -Wpedantic -Werror -I sdk/include tests/windows/ParvexByOrdinal.c \
    -L"$linux_lib" -lparvex -Wl,-rpath,"$linux_lib" -o "$linux_program"
else
  cmake -S . -B "$build/linux" -G Ninja -DTORVIO_QT=OFF -DTORVIO_BENCHMARKS=OFF -DTORVIO_WERROR=ON \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build/linux" -j 2 -t parvex_by_ordinal
fi

echo "== byte comparison =="
bash tests/windows/CompareWithLinux.sh "$linux_program" \
  "$build_abs/bin/parvex_by_ordinal.exe" "$root/resources/templates" "$build_abs/compare"

echo "windows stage: $(($(date +%s) - start)) s"

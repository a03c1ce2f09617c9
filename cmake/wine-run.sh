#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine, with no display and Wine's own
# messages off; the program's exit code is passed on. The prefix is
# TORVIO_WINEPREFIX when set (scripts/windows.sh makes one fresh for a whole
# run, as setting up a prefix takes seconds), else one made for this program
# alone and removed after it.
set -u
wine=${TORVIO_WINE:-/usr/lib/wine/wine64}
if [ ! -x "$wine" ]; then
  echo "wine-run.sh: $wine not found: install the wine64 package (scripts/setup.sh)" >&2
  exit 127
fi
if [ -n "${TORVIO_WINEPREFIX:-}" ]; then
  export WINEPREFIX="$TORVIO_WINEPREFIX"
else
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/torvio-wine.XXXXXX")
  export WINEPREFIX
  trap '"$(dirname "$wine")/wineserver" -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
"$wine" "$@"

#!/usr/bin/env bash
# The headers and build logs written under Wine against those written on
# Linux, for the same nine records (ParvexByOrdinal.c): equal byte for byte
# once the line ends are made one and the dates masked. The Windows files
# must end every line in CR LF (text mode) and the Linux ones in LF; the
# dates must have their format on both.
#   CompareWithLinux.sh LINUX_PROGRAM WINDOWS_PROGRAM TEMPLATES_DIR WORK_DIR
# WINDOWS_PROGRAM runs through cmake/wine-run.sh. Exit code 0 when all hold.
set -euo pipefail
linux_program=$1
windows_program=$2
templates=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../cmake/wine-run.sh"

banner='^[A-Z][a-z]{2} [A-Z][a-z]{2} [0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}$'
stamp='^<BuildDateTime >[01][0-9]/[0-3][0-9]/[0-9]{2} - [0-2][0-9]:[0-5][0-9]:[0-6][0-9]</BuildDateTime>$'

rm -rf "$work"
# Both runs get the same relative folder names, as the build log holds them.
for side in linux windows; do
  mkdir -p "$work/$side/Templates"
  cp "$templates"/*.th "$work/$side/Templates/"
done
(cd "$work/linux" && "$linux_program" Templates/ out/ >/dev/null)
(cd "$work/windows" && "$wine_run" "$windows_program" Templates/ out/ >/dev/null)

# Writes one file's lines with LF ends and the dates masked to $3; fails on
# a wrong line end or a date out of format. $2 is the line end the file must
# have. Files, not shell variables, carry the bytes, so NUL bytes survive.
normalise() {
  local file=$1 end=$2 into=$3 lines crlf
  lines=$(tr -cd '\n' <"$file" | wc -c)
  crlf=$(grep -c $'\r$' "$file" || true)
  if [ "$end" = crlf ] && [ "$crlf" -ne "$lines" ]; then
    echo "$file: $((lines - crlf)) of $lines lines do not end in CR LF" >&2
    return 1
  fi
  if [ "$end" = lf ] && grep -q $'\r' "$file"; then
    echo "$file: holds CR, expected LF line ends only" >&2
    return 1
  fi
  sed 's/\r$//' "$file" >"$into.lf"
  if [[ $file == *.h ]] && ! grep -aEq "$banner" "$into.lf"; then
    echo "$file: no banner date in its format" >&2
    return 1
  fi
  if [[ $file == *.xml ]] && ! grep -aEq "$stamp" "$into.lf"; then
    echo "$file: no build date in its format" >&2
    return 1
  fi
  sed -E -e "s#$banner#<banner date>#" \
    -e 's#^<BuildDateTime >.*</BuildDateTime>$#<BuildDateTime >(date)</BuildDateTime>#' \
    "$into.lf" >"$into"
}

(cd "$work/linux/out" && find . -type f | sort) >"$work/linux.list"
(cd "$work/windows/out" && find . -type f | sort) >"$work/windows.list"
if ! diff -u "$work/linux.list" "$work/windows.list"; then
  echo "the two systems wrote different files" >&2
  exit 1
fi

compared=0
differing=0
while read -r f; do
  if ! normalise "$work/linux/out/$f" lf "$work/a" || ! normalise "$work/windows/out/$f" crlf "$work/b"; then
    differing=$((differing + 1))
  elif ! cmp -s "$work/a" "$work/b"; then
    echo "$f differs:" >&2
    diff -a "$work/a" "$work/b" | head -20 >&2 || true
    differing=$((differing + 1))
  fi
  compared=$((compared + 1))
done <"$work/linux.list"

echo "byte comparison: $compared files, $((compared - differing)) equal, $differing differing"
if [ "$compared" -ne 90 ]; then
  echo "expected 90 files (9 records x 9 headers and the build log)" >&2
  exit 1
fi
[ "$differing" -eq 0 ]

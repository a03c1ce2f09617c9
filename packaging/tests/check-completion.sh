#!/usr/bin/env bash
# The bash completion of torvio-gen, driven the way bash drives it, against
# the real program and against a stand-in whose --help lists other options.
#   check-completion.sh COMPLETION_FILE PROGRAM_DIR WORK_DIR
set -uo pipefail
completion=$1 program_dir=$2 work=$3

rm -rf "$work" && mkdir -p "$work/files/sub" "$work/fake" || exit 1
touch "$work/files/a.tvd" "$work/files/notes.txt" "$work/files/p.json" "$work/files/sub/inner.tvd"
cat >"$work/fake/torvio-gen" <<'EOF'
#!/bin/sh
cat <<'HELP'
Usage: torvio-gen [options]

Options:
  -h, --help             Shows this help.
  --frobnicate <DIR>     An option torvio-gen does not have, whose description
                         --wraps <FILE> onto a line that looks like an option.
  --count <N>            A number.
HELP
EOF
chmod +x "$work/fake/torvio-gen"

source /usr/share/bash-completion/bash_completion || exit 1
source "$completion" || exit 1
cd "$work/files" || exit 1

failures=0

# Completes LINE (the cursor at its end) and prints the candidates sorted,
# space separated. Words are split as bash splits them: blanks, and "=" as
# a word of its own.
complete_line() {
  local line=$1
  local -a split
  read -r -a split <<<"${line//=/ = }"
  # After a blank the cursor starts a new, empty word; after "=" it does not.
  [[ $line == *[[:space:]] ]] && split+=("")
  COMP_WORDS=("${split[@]}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _torvio_gen "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

expect() {
  local line=$1 expected=$2 got
  got=$(complete_line "$line")
  if [[ $got != "$expected" ]]; then
    echo "FAIL: '$line' completes to '$got', expected '$expected'"
    failures=$((failures + 1))
  fi
}

# Every candidate of EXPECTED is offered (others may join them later).
expect_among() {
  local line=$1 expected=$2 got word
  got=" $(complete_line "$line") "
  for word in $expected; do
    if [[ $got != *" $word "* ]]; then
      echo "FAIL: '$line' does not offer $word (got:$got)"
      failures=$((failures + 1))
    fi
  done
}

PATH="$program_dir:$PATH"
expect_among "torvio-gen --" "--diff --explain --export --format --get --help --import --list --output --project --save --save-default --set --templates --version"
expect "torvio-gen --explain --format " "csv text"
expect "torvio-gen --explain --format=c" "csv"
expect "torvio-gen --pro" "--project"
expect "torvio-gen --sa" "--save --save-default"
expect "torvio-gen --save-" "--save-default"
expect "torvio-gen --project " "a.tvd sub"
expect "torvio-gen --project sub/" "sub/inner.tvd"
expect "torvio-gen --project=" "a.tvd sub"
expect "torvio-gen --output " "sub"
expect "torvio-gen --templates=" "sub"
expect "torvio-gen --save-default " "a.tvd notes.txt p.json sub"
expect "torvio-gen --save " "a.tvd sub"
expect "torvio-gen --import " "p.json sub"
expect "torvio-gen --export " "a.tvd notes.txt p.json sub"
expect "torvio-gen --get MOTORANDHW/MOTORCHARACTERISTICS/Pol" "MOTORANDHW/MOTORCHARACTERISTICS/PolePairs"
expect "torvio-gen --get MOTORANDHW/MOTORCHARACTERISTICS/R MOTORANDHW/MOTORCHARACTERISTICS/Ke" "MOTORANDHW/MOTORCHARACTERISTICS/Ke"
expect "torvio-gen --set MOTORANDHW/MOTORCHARACTERISTICS/Pol" "MOTORANDHW/MOTORCHARACTERISTICS/PolePairs"
expect "torvio-gen --diff " "a.tvd sub"
expect "torvio-gen --diff a.tvd " "a.tvd sub"
expect_among "torvio-gen --output sub " "--project --templates"
expect "torvio-gen --output sub " "$(complete_line "torvio-gen --")"
expect "$program_dir/torvio-gen --pro" "--project"

# Options come from --help at completion time: the stand-in's are offered,
# the real program's are not, and wrapped description lines are skipped.
PATH="$work/fake:$PATH"
expect "torvio-gen --" "--count --frobnicate --help"
expect "torvio-gen --frobnicate " "sub"
expect "torvio-gen --count " ""

if [[ $failures -ne 0 ]]; then
  echo "$failures completion check(s) failed"
  exit 1
fi
echo "completion checks passed"

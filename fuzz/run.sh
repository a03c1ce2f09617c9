#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each one for
# a bounded time on a scratch copy of its seed corpus (the repository's
# corpus is never written). Any crash, sanitizer report or leak fails the run;
# the input that caused it is kept in build-fuzz/artifacts/.
#   FUZZ_SECONDS   time per target (default 60)
#   FUZZ_TARGETS   targets to run (default: all six)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
targets="${FUZZ_TARGETS:-project_decode project_json template_line generate_sources check_consistency sirenta_paths}"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTORVIO_FUZZ=ON -DTORVIO_GUI=OFF -DTORVIO_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz --target fuzzers -j 2

artifacts="$PWD/build-fuzz/artifacts"
mkdir -p "$artifacts"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for t in $targets; do
  corpus="$work/$t"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$t"/* "$corpus"/
  dict=()
  [ -f fuzz/dict/"$t".dict ] && dict=(-dict=fuzz/dict/"$t".dict)
  # A whole project's JSON is about 12 KB: shorter inputs never reach the
  # settings' values, which an import checks only once every path is there.
  max_len=8192
  [ "$t" = project_json ] && max_len=32768
  echo "== fuzz_$t for ${seconds}s =="
  if ! build-fuzz/bin/fuzz_"$t" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -max_len="$max_len" -print_final_stats=1 \
      -artifact_prefix="$artifacts/$t-" 2>"$work/$t.log"; then
    tail -n 60 "$work/$t.log"
    failed+=("$t")
  else
    grep -E "^(#[0-9]+.*DONE|stat::number_of_executed_units)" "$work/$t.log" || true
  fi
done

if [ "${#failed[@]}" -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $artifacts)" >&2
  exit 1
fi
echo "fuzzing: every target ran clean"

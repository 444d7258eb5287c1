#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each one for a
# bounded time on a scratch copy of its seed corpus (fuzz/corpus/<target>/), under
# AddressSanitizer and UndefinedBehaviorSanitizer. Fails when any target crashes,
# leaks, hangs or breaks one of its checks; the failing input is kept in
# build-fuzz/artifacts/<target>/ and the command to replay it is printed.
#
#   scripts/fuzz.sh [seconds-per-target] [target...]
#
# Default 20 s per target, every target. FUZZ_KEEP_CORPUS=<folder> keeps each
# target's grown corpus in <folder>/<target>/ instead of discarding it.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh"

seconds="${1:-20}"
shift || true
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [seconds-per-target] [target...]" >&2; exit 2 ;;
esac

dir=build-fuzz
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVALIS_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
# Only the fuzz targets and what they link: the Qt parts stay out of this build.
cmake --build "$dir" --target fuzz_targets -j"$(nproc)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

declare -a selected=("$@")
for name in "${selected[@]}"; do
  grep -q "^$name " "$dir/fuzz/targets.txt" || { echo "no fuzz target '$name'; see $dir/fuzz/targets.txt" >&2; exit 2; }
done
summary=()
failures=0
while read -r name max_len; do
  [ -n "$name" ] || continue
  if [ ${#selected[@]} -gt 0 ] && [[ ! " ${selected[*]} " == *" $name "* ]]; then continue; fi
  corpus="$scratch/$name"
  mkdir -p "$corpus" "$dir/artifacts/$name"
  if [ ! -d "fuzz/corpus/$name" ]; then
    echo "!! $name has no seed corpus: add fuzz/corpus/$name/" >&2
    failures=$((failures + 1))
    summary+=("$(printf '%-18s %12s runs  NO SEED CORPUS' "$name" 0)")
    continue
  fi
  cp -R "fuzz/corpus/$name/." "$corpus/"
  log="$dir/artifacts/$name/last-run.log"
  echo "== $name: ${seconds}s, inputs up to $max_len bytes"
  status=0
  ASAN_OPTIONS="detect_leaks=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    "$dir/bin/fuzz_$name" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$dir/artifacts/$name/" "$corpus" </dev/null >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  if [ "$status" -ne 0 ]; then
    failures=$((failures + 1))
    tail -n 40 "$log"
    echo "!! $name failed (exit $status); replay: $dir/bin/fuzz_$name $dir/artifacts/$name/<crash-file>"
    summary+=("$(printf '%-18s %12s runs  FAILED' "$name" "${runs:-?}")")
  else
    summary+=("$(printf '%-18s %12s runs  %5s inputs in corpus  ok' "$name" "${runs:-?}" "$(ls "$corpus" | wc -l)")")
  fi
  if [ -n "${FUZZ_KEEP_CORPUS:-}" ]; then
    mkdir -p "$FUZZ_KEEP_CORPUS/$name"
    cp -R "$corpus/." "$FUZZ_KEEP_CORPUS/$name/"
  fi
done <"$dir/fuzz/targets.txt"

echo "== fuzzing summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
[ "$failures" -eq 0 ]

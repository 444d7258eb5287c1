#!/usr/bin/env bash
# Counts the calls to the system of `mervalis import` and of the raw import loop,
# each over its own fresh tree of FILES files (default 10,000), with strace -c -f,
# and prints both tables and the difference per filed file.
# Usage: bench/importrun/count-syscalls.sh [BUILD_DIR] [FILES]
set -euo pipefail
build=$(realpath "${1:-build}")
files=${2:-10000}
command -v strace >/dev/null || { echo "strace is not installed (apt-get install strace)" >&2; exit 2; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_STATE_HOME="$scratch/state" AUTOMATION_REGISTRY="$scratch/registry"
"$build/bin/regsvr" "$build/bin/Lyrebox.ocx" >/dev/null
for side in raw run; do "$build/bin/bench_importrun" --make-tree "$scratch/$side" "$files"; done
sync
strace -c -f -o "$scratch/raw.txt" "$build/bin/bench_importrun" --raw-import-only \
  "$scratch/raw/Catalogue.mdb" "$scratch/raw/source" "$scratch/raw/filed"
strace -c -f -o "$scratch/run.txt" "$build/bin/mervalis" import --catalogue "$scratch/run/Catalogue.mdb" \
  --source "$scratch/run/source" --dest "$scratch/run/filed" >"$scratch/run.log"
filed=$(tail -n 1 "$scratch/run.log" | awk '{print $1}')
echo "== raw loop"; cat "$scratch/raw.txt"
echo "== mervalis import"; cat "$scratch/run.txt"
total() { awk '$NF == "total" {print $(NF-2)}' "$1"; }
raw=$(total "$scratch/raw.txt"); run=$(total "$scratch/run.txt")
awk -v raw="$raw" -v run="$run" -v filed="$filed" 'BEGIN {
  printf "calls: raw %d, run %d; %d files filed; %.2f more per filed file\n", raw, run, filed, (run - raw) / filed }'

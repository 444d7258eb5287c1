#!/usr/bin/env bash
# Photographs each page of the real window under Xvfb, with the example collection
# chosen and a real run over a scratch copy of it, into docs/screenshots/. The
# component is registered in a scratch registry; the user's own is left alone.
#
#   scripts/screenshots.sh [output-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh"
out="${1:-docs/screenshots}"

dir=build
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target mervalis_screenshots regsvr Lyrebox examples -j2

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export AUTOMATION_REGISTRY="$scratch/registry"
"$dir/bin/regsvr" "$PWD/$dir/bin/Lyrebox.ocx"
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb \
  "$dir/bin/mervalis_screenshots" "$dir/examples" "$out"
ls -l "$out"

#!/usr/bin/env bash
# Installs what is missing, builds, registers the component and starts Mervalis.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(scripts/build.sh | tee /dev/stderr | tail -n 1)  # the build shows its progress
if [ -x "$dir/bin/regsvr" ] && [ -f "$dir/bin/Lyrebox.ocx" ]; then
  "$dir/bin/regsvr" "$PWD/$dir/bin/Lyrebox.ocx"
fi
if [ -x "$dir/bin/mervalis" ]; then
  exec "$dir/bin/mervalis"
fi
echo "The window is not built yet. Built so far, in $dir/bin:"
ls "$dir/bin"

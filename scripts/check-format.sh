#!/usr/bin/env bash
# Fails when a C++ file of ours differs from what clang-format makes of it
# (.clang-format); `scripts/check-format.sh --fix` formats them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends clang-format
fi
mapfile -t files < <(git ls-files '*.h' '*.cpp' '*.hpp' '*.cc')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
report=$(mktemp)
if ! clang-format --dry-run --Werror "${files[@]}" 2>"$report"; then
  grep -o '^[^:]*\.\(h\|cpp\|hpp\|cc\):' "$report" | sort -u | sed 's/:$/: not formatted/' >&2
  rm -f "$report"
  echo "Run scripts/check-format.sh --fix and commit the result." >&2
  exit 1
fi
rm -f "$report"
echo "every C++ file is formatted"

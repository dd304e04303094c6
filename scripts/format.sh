#!/usr/bin/env bash
# Formats every tracked *.cpp and *.h file with Debian 12's clang-format 14 and the
# project's .clang-format.
#   scripts/format.sh          rewrites the files that need it
#   scripts/format.sh --check  changes nothing; fails and shows each place to mend
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
mode=(-i)
done_word=formatted
case "${1:-}" in
  "") ;;
  --check)
    mode=(--dry-run --Werror)
    done_word=checked
    ;;
  *)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac
cd "$root"
list=$(mktemp)
trap 'rm -f "$list"' EXIT
# safe.directory: CI runs as root on a checkout that may belong to another user.
git -c safe.directory="$root" ls-files -z -- '*.cpp' '*.h' >"$list"
mapfile -d '' files <"$list"
if [ ${#files[@]} -eq 0 ]; then
  echo "format: no tracked C++ files found" >&2
  exit 1
fi
clang-format-14 --style=file "${mode[@]}" -- "${files[@]}"
echo "format: ${#files[@]} files $done_word"

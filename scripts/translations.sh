#!/usr/bin/env bash
# Brings the translation sources up to date with the texts in the code:
#   translations/lumetra_de.ts       the window's texts (app/)
#   translations/lumetra_core_de.ts  the core's texts (image/ storage/ measure/ camera/ capture/ policy/)
# New texts come in unfinished, texts gone from the code go.
# With --check nothing is written: the sources are read into copies of both files, and
# every text without a finished German entry (new, unfinished or empty) is named; the
# status is 1 when there is one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-$(command -v /usr/lib/qt6/bin/lupdate || command -v lupdate)}
check=false
if [ "${1:-}" = --check ]; then check=true; fi

files=(translations/lumetra_de.ts translations/lumetra_core_de.ts)
folders=("app" "image storage measure camera capture policy")

cd "$root"
work=$root
if $check; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/translations"
  for f in "${files[@]}"; do
    if [ -f "$f" ]; then cp "$f" "$work/$f"; fi
  done
fi
for i in "${!files[@]}"; do
  # shellcheck disable=SC2086 # the folders are separate arguments
  "$lupdate" -silent -no-obsolete -locations none -I "$root" ${folders[$i]} -ts "$work/${files[$i]}"
done
if ! $check; then exit 0; fi

python3 - "$work" "${files[@]}" <<'PY'
import sys
import xml.etree.ElementTree as ET

work, files = sys.argv[1], sys.argv[2:]
missing = []
for name in files:
    for context in ET.parse(f"{work}/{name}").getroot().iter("context"):
        where = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            numerus = translation.findall("numerusform")
            texts = [n.text for n in numerus] if numerus else [translation.text]
            if translation.get("type") or not all(t and t.strip() for t in texts):
                missing.append(f"{name}: {where}: {message.findtext('source')!r}")
for line in missing:
    print("no German:", line)
sys.exit(1 if missing else 0)
PY

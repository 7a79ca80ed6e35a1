#!/usr/bin/env bash
# A translation round trip with the translators' own tools: dlg2po, msgfmt --check, podebug and
# msgen filling the translation, po2dlg, dlgcheck --against; then a wording edited, dlg2po
# again and msgmerge --previous, which must mark exactly that entry fuzzy.
# Usage: round_trip.sh DLG2PO PO2DLG DLGCHECK
set -euo pipefail
dlg2po=$1 po2dlg=$2 dlgcheck=$3
fail() {
  echo "round trip: $*" >&2
  exit 1
}
for tool in msgfmt msgen msgmerge podebug; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh test installs it)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

printf '%s\r\n' \
  '{1}{Welcome to the Drowned Lantern. Ale or wine?}{Welcome, my lady. Ale or wine?}{}{}{}{}' \
  '{2}{Ale, and quick.}{}{}{}{10}{}' \
  '{3}{Wine, if it is not vinegar.}{Wine, please.}{8}{}{10}{}' \
  '{4}{Me want ale.}{}{-4}{game.thirst > 2}{10}{}' \
  '{5}{Nothing. Goodbye.}{}{}{}{0}{}' \
  '{10}{There you are. Two coppers.}{}{}{}{ }{}' \
  '{11}{Here.}{}{}{}{0}{coins -= 2}' >tavern.dlg
# A file that the checker finds fault with keeps its faults too.
printf '{12}{Cut short}{\r\n' >>tavern.dlg

"$dlg2po" --language fr tavern.dlg fr.po
checked=$(msgfmt --check -o /dev/null fr.po 2>&1) || fail "msgfmt --check: $checked"
[ -z "$checked" ] || fail "msgfmt --check is not clean: $checked"

podebug --rewrite=xxx fr.po xxx.po >/dev/null 2>&1 || fail "podebug failed"
msgen fr.po -o en.po
for filled in xxx en; do
  summary=$("$po2dlg" -t tavern.dlg $filled.po $filled.dlg)
  [ "$summary" = "10 of 10 wordings translated, 0 fuzzy left out" ] || fail "$filled: $summary"
  if "$dlgcheck" --against tavern.dlg $filled.dlg | grep -F '[translation]'; then
    fail "dlgcheck --against finds $filled.dlg differing from tavern.dlg"
  fi
done
cmp -s en.dlg tavern.dlg || fail "msgen's translation is not the source itself"
# Only the wordings differ: without podebug's marks the file is the source, byte for byte.
sed 's/xxx//g' xxx.dlg | cmp -s - tavern.dlg || fail "xxx.dlg differs from tavern.dlg beyond its wordings"
cmp -s xxx.dlg tavern.dlg && fail "xxx.dlg is not translated"

# The mod's next release edits one wording a little.
sed 's/Ale, and quick\./Ale, and be quick./' tavern.dlg >tavern2.dlg
"$dlg2po" -P tavern2.dlg tavern2.pot
msgmerge --previous -q xxx.po tavern2.pot -o merged.po
fuzzy=$(grep -A3 '^#, fuzzy' merged.po | grep '^msgctxt' || true)
[ "$fuzzy" = 'msgctxt "2"' ] || fail "msgmerge marked other entries fuzzy than record 2: $fuzzy"
summary=$("$po2dlg" -t tavern2.dlg merged.po merged.dlg)
[ "$summary" = "9 of 10 wordings translated, 1 fuzzy left out" ] || fail "merged: $summary"
grep -q '^{2}{Ale, and be quick\.}' merged.dlg || fail "the edited wording is not the new source's"
grep -q '^{3}{xxxWine, if it is not vinegar\.xxx}' merged.dlg || fail "a translation was lost"
echo "round trip: all steps passed"

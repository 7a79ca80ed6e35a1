#!/bin/sh
# git diff through `dlgcheck --textconv`, set up as the README says, in a repository of its own in
# a temporary folder: a changed wording shows as that field of that record, accents readable,
# in a file whose name git hands on as it is, though it begins like an option.
# Usage: textconv_git_test.sh DLGCHECK
set -eu
dlgcheck=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp" GIT_CONFIG_NOSYSTEM=1 LC_ALL=C.UTF-8
cd "$tmp"
git init -q repo
cd repo
git config user.name test
git config user.email test@example.invalid
# The README's two lines.
echo '*.dlg diff=dlg' >.gitattributes
git config diff.dlg.textconv "$dlgcheck --textconv"
printf '{1}{Hello.}{}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n{10}{Caf\351?}{}{}{}{}{}\r\n' >./-talk.dlg
git add -- .gitattributes -talk.dlg
git commit -qm one
printf '{1}{Hello.}{Hello, dear.}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n{10}{Th\351?}{}{}{}{}{}\r\n' >./-talk.dlg
git diff --no-color | sed -n '/^@@/,$p' >diff.txt
cat >want.txt <<'WANT'
@@ -1,7 +1,8 @@
 1 NPC
   male: Hello.
+  female: Hello, dear.
 2 PC -> 0 (end)
   male: Bye.
 
 10 NPC
-  male: Café?
+  male: Thé?
WANT
if ! cmp -s want.txt diff.txt; then
  echo "git diff through dlgcheck --textconv differs:" >&2
  diff want.txt diff.txt >&2 || true
  exit 1
fi
echo "git diff shows the fields that changed"

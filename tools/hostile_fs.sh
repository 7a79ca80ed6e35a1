#!/usr/bin/env bash
# Drives the editor's commands over file systems that refuse them: a full disk, a read-only
# mount, immutable files and folders, a read-only file saved by an ordinary user, and checks
# that owners, symbolic links and hard links come through a save as they should.
# Needs root for mounts, chattr and a second user; as anyone else every case is skipped.
#   tools/hostile_fs.sh [path of hostile_driver]
# Prints one line per case (PASS/FAIL/SKIP); exits non-zero when a case fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
driver=${1:-$root/build/tests/hostile_driver}
cases=(full_disk read_only_mount immutable_file immutable_folder read_only_file_as_user
  owner_kept symbolic_link hard_link)

if [[ $EUID -ne 0 ]]; then
  for c in "${cases[@]}"; do echo "SKIP: needs root ($c)"; done
  exit 0
fi
if [[ ! -x $driver ]]; then
  echo "FAIL: no driver at $driver (build the target hostile_driver)"
  exit 1
fi

work=$(mktemp -d /tmp/hostile-fs.XXXXXX)
chmod 0755 "$work"  # the ordinary user of one case must reach its folder
mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    chattr -R -i "${mounts[i]}" 2>/dev/null
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}"
  done
  chattr -R -i "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

out=$work/out
orig=$work/orig.dlg
edited=$work/edited.dlg
printf '{1}{Hello}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{0}{}\r\n' >"$orig"
printf '{1}{X}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{0}{}\r\n' >"$edited"
saved="BOX information Saving Changes: Changes Have Been Saved"
failures=0

# A fresh tmpfs at $work/<name>, left in $fs.
fresh_fs() {
  fs=$work/$1
  mkdir -p "$fs"
  mount -t tmpfs -o "size=${2:-1m},mode=0755" tmpfs "$fs" && mounts+=("$fs")
}
drive() {
  "$@" >"$out" 2>&1
  local rc=$?
  [[ $rc == 0 ]] || problems+=("driver exited $rc")
}
has() { grep -Fxq -- "$1" "$out" || problems+=("no line: $1"); }
lacks() { ! grep -Fq -- "$1" "$out" || problems+=("unexpected: $1"); }
criticals() {
  local n
  n=$(grep -c '^BOX critical ' "$out")
  [[ $n == "$1" ]] || problems+=("$n critical boxes, expected $1")
}
same() { cmp -s "$1" "$2" || problems+=("$1 is not $(basename "$2")"); }
# The folder holds exactly these names: no temporary file, no stray scratch copy.
only() {
  local dir=$1 actual expected
  shift
  actual=$(ls -A "$dir" | sort | tr '\n' ' ')
  expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
  [[ $actual == "$expected" ]] || problems+=("$dir holds: $actual")
}
attrs() {
  local got
  got=$(stat -c '%u:%g %a' "$1")
  [[ $got == "$2" ]] || problems+=("$1 is $got, expected $2")
}
report() {
  if ((${#problems[@]} == 0)); then
    echo "PASS: $1"
  else
    echo "FAIL: $1: ${problems[*]}"
    sed 's/^/    /' "$out"
    failures=$((failures + 1))
  fi
}
chattr_works() {
  touch "$1/.probe" && chattr +i "$1/.probe" 2>/dev/null && chattr -i "$1/.probe"
  local ok=$?
  rm -f "$1/.probe"
  return $ok
}

# The edited working copy (36 KB) fits beside the file, a second copy of it does not.
full_disk() {
  problems=()
  fresh_fs full 64k
  cp "$orig" "$fs/a.dlg"
  drive "$driver" load "$fs" a.dlg edit "$(head -c 36000 /dev/zero | tr '\0' x)" save
  has "BOX critical File Error: Cannot write $fs/a.dlg: No space left on device"
  criticals 1
  lacks "$saved"
  same "$fs/a.dlg" "$orig"
  (($(stat -c %s "$fs/a.dlg.bak") > 36000)) || problems+=("the edit is not in the working copy")
  only "$fs" a.dlg a.dlg.bak
  report "full disk: Save fails, the file is unchanged"
}

read_only_mount() {
  problems=()
  fresh_fs base
  mkdir "$fs/d" && cp "$orig" "$fs/d/a.dlg"
  local ro=$work/ro
  mkdir -p "$ro" && mount --bind "$fs" "$ro" && mounts+=("$ro")
  mount -o remount,ro,bind "$ro"
  drive "$driver" load "$ro/d" a.dlg
  has "BOX critical File Error: Cannot write $ro/d/a.dlg.bak: Read-only file system"
  criticals 1
  only "$fs/d" a.dlg
  # Loaded while writable; the mount turns read-only under the editor.
  mount -o remount,rw,bind "$ro"
  # Save first writes the line that failed again, and stops when that fails again.
  drive "$driver" load "$ro/d" a.dlg run "mount -o remount,ro,bind $ro" edit X save
  has "BOX critical File Error: Cannot write $ro/d/a.dlg.bak: Read-only file system"
  criticals 2
  lacks "$saved"
  same "$fs/d/a.dlg" "$orig"
  same "$fs/d/a.dlg.bak" "$orig"
  only "$fs/d" a.dlg a.dlg.bak
  report "read-only mount: Load File, a rewrite and Save fail, nothing changes"
}

immutable_file() {
  problems=()
  fresh_fs immutable
  if ! chattr_works "$fs"; then
    echo "SKIP: chattr +i is not supported here (immutable file)"
    return
  fi
  cp "$orig" "$fs/a.dlg"
  drive "$driver" load "$fs" a.dlg run "chattr +i $fs/a.dlg $fs/a.dlg.bak" edit X save
  has "BOX critical File Error: Cannot write $fs/a.dlg.bak: Operation not permitted"
  criticals 2
  lacks "$saved"
  same "$fs/a.dlg" "$orig"
  same "$fs/a.dlg.bak" "$orig"
  only "$fs" a.dlg a.dlg.bak
  report "immutable file and working copy: a rewrite and Save fail, nothing changes"
}

immutable_folder() {
  problems=()
  fresh_fs immutable_dir
  if ! chattr_works "$fs"; then
    echo "SKIP: chattr +i is not supported here (immutable folder)"
    return
  fi
  mkdir "$fs/d" && cp "$orig" "$fs/d/a.dlg"
  chattr +i "$fs/d"
  drive "$driver" load "$fs/d" a.dlg
  has "BOX critical File Error: Cannot write $fs/d/a.dlg.bak: Operation not permitted"
  criticals 1
  only "$fs/d" a.dlg
  chattr -i "$fs/d"
  drive "$driver" load "$fs/d" a.dlg run "chattr +i $fs/d" edit X save
  has "BOX critical File Error: Cannot write $fs/d/a.dlg.bak: Operation not permitted"
  criticals 2
  lacks "$saved"
  same "$fs/d/a.dlg" "$orig"
  same "$fs/d/a.dlg.bak" "$orig"
  only "$fs/d" a.dlg a.dlg.bak
  chattr -i "$fs/d"
  report "immutable folder: Load File, a rewrite and Save fail, nothing changes"
}

# Refused for its owner, who could only replace it by swapping files; root writes it, mode kept.
read_only_file_as_user() {
  problems=()
  fresh_fs user
  mkdir "$fs/d" && cp "$orig" "$fs/d/a.dlg"
  chown -R 65534:65534 "$fs/d" && chmod 0444 "$fs/d/a.dlg"
  drive setpriv --reuid=65534 --regid=65534 --clear-groups "$driver" load "$fs/d" a.dlg edit X save
  has "BOX critical File Error: Cannot write $fs/d/a.dlg: Permission denied"
  criticals 1
  lacks "$saved"
  same "$fs/d/a.dlg" "$orig"
  attrs "$fs/d/a.dlg" "65534:65534 444"
  rm -f "$fs/d/a.dlg.bak"
  drive "$driver" load "$fs/d" a.dlg edit X save unload
  has "$saved"
  criticals 0
  same "$fs/d/a.dlg" "$edited"
  attrs "$fs/d/a.dlg" "65534:65534 444"
  only "$fs/d" a.dlg
  report "read-only file: refused for an ordinary user, written by root with mode 0444 kept"
}

owner_kept() {
  problems=()
  fresh_fs owner
  cp "$orig" "$fs/a.dlg" && chown 1234:5678 "$fs/a.dlg" && chmod 0640 "$fs/a.dlg"
  drive "$driver" load "$fs" a.dlg edit X save saveas b
  criticals 0
  same "$fs/a.dlg" "$edited"
  attrs "$fs/a.dlg" "1234:5678 640"
  same "$fs/b.dlg" "$edited"
  # No wider than the loaded file: what it hides from others, its copy hides too.
  attrs "$fs/b.dlg" "0:0 $(printf '%o' $((0640 & ~0$(umask))))"
  report "owner, group and mode kept by Save; Save As makes a file of root's own, no wider"
}

symbolic_link() {
  problems=()
  fresh_fs link
  mkdir "$fs/d" "$fs/real" && cp "$orig" "$fs/real/target.dlg"
  ln -s ../real/target.dlg "$fs/d/a.dlg"
  drive "$driver" load "$fs/d" a.dlg edit X save unload
  has "$saved"
  criticals 0
  [[ $(readlink "$fs/d/a.dlg") == ../real/target.dlg ]] || problems+=("a.dlg is no longer the link")
  same "$fs/real/target.dlg" "$edited"
  only "$fs/d" a.dlg
  only "$fs/real" target.dlg
  report "symbolic link: Save writes the file it names, the link stays"
}

# A replacement would leave the second name with the old text: Save refuses and says why.
hard_link() {
  problems=()
  fresh_fs hard
  cp "$orig" "$fs/a.dlg" && ln "$fs/a.dlg" "$fs/other.dlg"
  drive "$driver" load "$fs" a.dlg edit X save
  local why="it has 2 hard links, and the other names would keep the old text"
  has "BOX critical File Error: Cannot write $fs/a.dlg: $why"
  criticals 1
  lacks "$saved"
  same "$fs/a.dlg" "$orig"
  [[ $(stat -c %h "$fs/a.dlg") == 2 ]] || problems+=("the hard link is broken")
  only "$fs" a.dlg a.dlg.bak other.dlg
  report "hard link: Save refuses, both names keep the file"
}

for c in "${cases[@]}"; do "$c"; done
exit $((failures > 0))

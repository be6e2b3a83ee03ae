#!/usr/bin/env bash
# Power-cut check: backup runs into a loop-mounted XFS image, cut short by
# `xfs_io -x -c "shutdown -f"` (the file system stops at once, as in a power
# cut, without writing out what it still holds), then remounted and compared.
# After every cut each backup name must hold its previous content or its new
# content, whole (a new backup may also be absent); after a run that returned,
# every backup must hold the new content; a history line must never name a
# backup that did not get its new content.
# Needs root, a loop device, XFS in the kernel and xfsprogs (installed when
# missing); skips with one line saying why when it cannot run.
# Usage: sudo bench/power-cut-xfs.sh [BUILD_DIR]   (default: build-tests)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
tool="${1:-$here/build-tests}/bin/quillstead-backup-once"
skip() {
  echo "SKIP: $*"
  exit 0
}
[ "$(id -u)" -eq 0 ] || skip "needs root to mount a loop image and shut XFS down"
[ -x "$tool" ] || skip "$tool is not built (./scripts/test.sh builds it)"
if ! command -v mkfs.xfs >/dev/null || ! command -v xfs_io >/dev/null; then
  { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 --no-install-recommends xfsprogs; } \
    >/dev/null 2>&1 || skip "xfsprogs is missing and cannot be installed"
fi
grep -qw xfs /proc/filesystems || modprobe xfs 2>/dev/null || skip "the kernel has no XFS"

work=$(mktemp -d)
cleanup() {
  umount "$work/mnt" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
truncate -s 2G "$work/xfs.img"
mkfs.xfs -q -f "$work/xfs.img"
mkdir "$work/mnt" "$work/src" "$work/old" "$work/new"
mount -o loop "$work/xfs.img" "$work/mnt" 2>/dev/null || skip "cannot mount a loop image here"

# 24 files: 20 of 4 KiB to 1 MiB and 4 of 32 MiB; the first 12 already have
# a backup from an earlier run, the others get their first one.
names=()
for i in $(seq -w 1 24); do
  size=$((4096 * (1 + 10#$i * 10)))
  [ "$i" -gt 20 ] && size=$((32 << 20))
  head -c "$size" /dev/urandom >"$work/old/f$i.bin"
  head -c "$((size + 4096))" /dev/urandom >"$work/new/f$i.bin"
  names+=("f$i.bin")
done

failures=0
check() { # round label; mode: any (cut mid-run) or new (cut after the run returned)
  local label=$1 mode=$2 old=0 new=0 absent=0 bad=0
  umount "$work/mnt"
  mount -o loop "$work/xfs.img" "$work/mnt"
  for n in "${names[@]}"; do
    local backup="$work/mnt/dest/$n Backup.bin"
    if [ ! -e "$backup" ]; then
      if [ "${n:1:2}" -le 12 ] || [ "$mode" = new ]; then bad=$((bad + 1)); else absent=$((absent + 1)); fi
    elif cmp -s "$backup" "$work/new/$n"; then
      new=$((new + 1))
    elif cmp -s "$backup" "$work/old/$n" && [ "${n:1:2}" -le 12 ] && [ "$mode" = any ]; then
      old=$((old + 1))
    else
      bad=$((bad + 1))
      echo "  $label: $n Backup.bin holds $(stat -c %s "$backup") bytes, neither whole copy"
    fi
    if grep -q "^$n was backup saved" "$work/mnt/prog/history.txt" 2>/dev/null \
      && ! cmp -s "$backup" "$work/new/$n"; then
      bad=$((bad + 1))
      echo "  $label: history names $n but its backup is not the new copy"
    fi
  done
  local stray
  stray=$(find "$work/mnt/dest" -name '.quillstead-*' | wc -l)
  # The next run must finish the job and clear what the cut run left.
  (cd "$work/src" && "$tool" "$work/mnt/dest" "$work/mnt/prog" "${names[@]}") >/dev/null
  local after
  after=$(find "$work/mnt/dest" -name '.quillstead-*' | wc -l)
  for n in "${names[@]}"; do cmp -s "$work/mnt/dest/$n Backup.bin" "$work/new/$n" || bad=$((bad + 1)); done
  echo "$label: new=$new old=$old absent=$absent broken=$bad working-files-left=$stray (after the next run: $after)"
  [ "$after" -eq 0 ] || bad=$((bad + 1))
  [ "$bad" -eq 0 ] || failures=$((failures + 1))
}

prepare() { # the old backups of f01..f12 on disk, the new sources in place
  rm -rf "$work/mnt/dest" "$work/mnt/prog"
  mkdir "$work/mnt/dest" "$work/mnt/prog"
  for i in $(seq -w 1 12); do cp "$work/old/f$i.bin" "$work/src/f$i.bin"; done
  (cd "$work/src" && "$tool" "$work/mnt/dest" "$work/mnt/prog" "${names[@]:0:12}") >/dev/null
  rm -f "$work/mnt/prog/history.txt"
  sync
  cp "$work"/new/*.bin "$work/src/"
}

# The reported case: the cut comes right after a run that returned.
prepare
(cd "$work/src" && "$tool" "$work/mnt/dest" "$work/mnt/prog" "${names[@]}")
xfs_io -x -c "shutdown -f" "$work/mnt"
check "cut after the run" new

# Cuts at moments during the run.
for delay in 0.02 0.05 0.1 0.12 0.14 0.16 0.18 0.2 0.3 0.5; do
  prepare
  (cd "$work/src" && exec "$tool" "$work/mnt/dest" "$work/mnt/prog" "${names[@]}") >/dev/null 2>&1 &
  sleep "$delay"
  xfs_io -x -c "shutdown -f" "$work/mnt"
  wait $! || true
  check "cut after ${delay}s" any
done

if [ "$failures" -eq 0 ]; then
  echo "PASS: every backup name held a whole copy after every cut"
else
  echo "FAIL: $failures of 11 cuts left a broken backup"
  exit 1
fi

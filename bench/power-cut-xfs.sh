#!/usr/bin/env bash
# Power-cut check: backup runs into a loop-mounted XFS image, cut short by
# `xfs_io -x -c "shutdown -f"` (the file system stops at once, as in a power
# cut, without writing out what it still holds), then remounted and compared.
# After every cut each backup name must hold its previous content or its new
# content, whole (a new backup may also be absent); after a run that returned,
# every backup must hold the new content; a history line must never name a
# backup that did not get its new content.
# Archive mode the same way: cuts while 7za packs, as it ends, as its archive
# takes the name Backup.zip, and after the run. After every cut Backup.zip
# must open (`7za t`) and hold either the previous set or the new one, whole.
# Needs root, a loop device, XFS in the kernel and xfsprogs (installed when
# missing); skips with one line saying why when it cannot run.
# Usage: sudo bench/power-cut-xfs.sh [BUILD_DIR]   (default: build-tests)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin="${1:-$here/build-tests}/bin"
tool="$bin/quillstead-backup-once"
skip() {
  echo "SKIP: $*"
  exit 0
}
[ "$(id -u)" -eq 0 ] || skip "needs root to mount a loop image and shut XFS down"
[ -x "$tool" ] || skip "$tool is not built (./scripts/test.sh builds it)"
sevenzip="$bin/7za"
[ -x "$sevenzip" ] || sevenzip=$(command -v 7za) || skip "7za is missing (p7zip-full)"
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

perfile_failures=$failures

# Archive mode. The previous Backup.zip holds the old f01..f12; a run packs
# the new f01..f24 (136 MiB) into it.
failures=0
cuts=0
zip_holds() { # folder, old or new, names...: the folder holds exactly those files, with that content
  local dir=$1 which=$2
  shift 2
  [ "$(find "$dir" -type f | wc -l)" -eq $# ] || return 1
  for n in "$@"; do cmp -s "$dir/$n" "$work/$which/$n" || return 1; done
}
zip_state() { # what dest/Backup.zip holds: new, old, missing, broken, mixed
  local zip="$work/mnt/dest/Backup.zip" out="$work/unzipped"
  rm -rf "$out"
  if [ ! -e "$zip" ]; then echo missing; return; fi
  if ! "$sevenzip" t "$zip" >/dev/null 2>&1 || ! "$sevenzip" x -y -o"$out" "$zip" >/dev/null 2>&1; then
    echo "broken ($(stat -c %s "$zip") bytes)"
    return
  fi
  if zip_holds "$out" new "${names[@]}"; then echo new
  elif zip_holds "$out" old "${names[@]:0:12}"; then echo old
  else echo mixed; fi
}
zip_check() { # round label; mode: any (cut mid-run) or new (cut after the run returned)
  local label=$1 mode=$2 held after stray bad=0
  cuts=$((cuts + 1))
  umount "$work/mnt"
  mount -o loop "$work/xfs.img" "$work/mnt"
  held=$(zip_state)
  case "$held" in
    new) ;;
    old) [ "$mode" = any ] || bad=1 ;;
    *) bad=1 ;;
  esac
  stray=$(find "$work/mnt/dest" -name '.*' -type f | wc -l)
  # The next run must make the new archive and clear what the cut run left.
  (cd "$work/src" && "$tool" --archive "$work/mnt/dest" "$work/mnt/prog" "${names[@]}") >/dev/null
  after=$(find "$work/mnt/dest" -name '.*' -type f | wc -l)
  [ "$(zip_state)" = new ] && [ "$after" -eq 0 ] || bad=1
  echo "archive, $label: Backup.zip holds $held; working files left=$stray (after the next run: $after)"
  [ "$bad" -eq 0 ] || failures=$((failures + 1))
}
zip_prepare() {
  rm -rf "$work/mnt/dest" "$work/mnt/prog"
  mkdir "$work/mnt/dest" "$work/mnt/prog"
  ln -s "$sevenzip" "$work/mnt/prog/7za"
  for i in $(seq -w 1 12); do cp "$work/old/f$i.bin" "$work/src/f$i.bin"; done
  (cd "$work/src" && "$tool" --archive "$work/mnt/dest" "$work/mnt/prog" "${names[@]:0:12}") >/dev/null
  [ "$(zip_state)" = old ] || { echo "the previous archive could not be made"; exit 1; }
  sync
  cp "$work"/new/*.bin "$work/src/"
}
zip_start() { # starts a run in the background; its pid in $run
  (cd "$work/src" && exec "$tool" --archive "$work/mnt/dest" "$work/mnt/prog" "${names[@]}") >/dev/null 2>&1 &
  run=$!
}
archiver_running() { pgrep -f -- "$work/mnt/dest/.Backup.zip.part" >/dev/null; }
cut() { xfs_io -x -c "shutdown -f" "$work/mnt"; }

zip_prepare
started=$(date +%s.%N)
(cd "$work/src" && "$tool" --archive "$work/mnt/dest" "$work/mnt/prog" "${names[@]}")
took=$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
cut
zip_check "cut after the run" new

# At moments spread over a whole run (copies, 7za, the flush and rename).
for part in 0.2 0.4 0.6 0.8 0.95; do
  delay=$(awk -v t="$took" -v p="$part" 'BEGIN { printf "%.2f", t * p }')
  zip_prepare
  zip_start
  sleep "$delay"
  cut
  wait "$run" || true
  zip_check "cut at ${delay}s of ${took}s" any
done
# The moment the archiver has ended, and the moment its archive has taken the
# name (the previous one gone from the folder).
for round in 1 2; do
  zip_prepare
  zip_start
  until archiver_running || ! kill -0 "$run" 2>/dev/null; do sleep 0.01; done
  while archiver_running; do sleep 0.005; done
  cut
  wait "$run" || true
  zip_check "cut as the archiver ended ($round)" any

  zip_prepare
  zip_start
  until [ -e "$work/mnt/dest/.Backup.zip.part" ] || ! kill -0 "$run" 2>/dev/null; do sleep 0.01; done
  while [ -e "$work/mnt/dest/.Backup.zip.part" ]; do sleep 0.002; done
  cut
  wait "$run" || true
  zip_check "cut as the archive took its name ($round)" any
done

status=0
if [ "$perfile_failures" -eq 0 ]; then
  echo "PASS: every backup name held a whole copy after every cut"
else
  echo "FAIL: $perfile_failures of 11 cuts left a broken backup"
  status=1
fi
if [ "$failures" -eq 0 ]; then
  echo "PASS (archive mode): Backup.zip opened and held the previous or the new set after each of $cuts cuts"
else
  echo "FAIL (archive mode): $failures of $cuts cuts left Backup.zip broken, missing or mixed"
  status=1
fi
exit "$status"

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
# After every cut, and after the run that follows it, the catalog of copies
# must pass SQLite's integrity check, and each of its rows must name a backup
# that is there with the size and time recorded and holds a whole copy: a row
# is what lets the program delete or skip a file as its own copy.
# Needs root, a loop device, XFS in the kernel, xfsprogs and sqlite3 (installed
# when missing); skips with one line saying why when it cannot run.
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
if ! command -v sqlite3 >/dev/null; then
  { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 --no-install-recommends sqlite3; } \
    >/dev/null 2>&1 || skip "sqlite3 is missing and cannot be installed"
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

# The catalog as the cut left it, checked on a copy so that the next run
# still finds (and must recover) the write-ahead log itself. kind: files (each
# row a "<name> Backup.bin" holding the old or new <name>) or archive (one
# row, Backup.zip, whose content zip_state has judged: $zip_held). mode: any,
# or new after a run that returned (every row new, expected rows in all).
# Prints one line per bad row; their count in catalog_bad, the rows in catalog_rows.
catalog_check() { # label kind mode [expected rows]
  local label=$1 kind=$2 mode=$3 expected=${4:-} db="$work/mnt/prog/catalog.sqlite" copy="$work/catalog-copy"
  local integrity path size mtime facts name holds
  catalog_bad=0
  catalog_rows=0
  if [ ! -e "$db" ]; then
    echo "  $label: catalog.sqlite is missing"
    catalog_bad=1
    return 0
  fi
  rm -rf "$copy"
  mkdir "$copy"
  cp "$db" "$copy/catalog.sqlite"
  if [ -e "$db-wal" ]; then cp "$db-wal" "$copy/catalog.sqlite-wal"; fi
  integrity=$(sqlite3 -batch "$copy/catalog.sqlite" 'PRAGMA integrity_check' 2>&1) || true
  if [ "$integrity" != ok ]; then
    echo "  $label: catalog integrity_check says: $integrity"
    catalog_bad=$((catalog_bad + 1))
  fi
  while IFS='|' read -r path size mtime; do
    catalog_rows=$((catalog_rows + 1))
    if [ ! -f "$path" ]; then
      echo "  $label: catalog row names $path, which is missing"
      catalog_bad=$((catalog_bad + 1))
      continue
    fi
    facts=$(stat -c '%s %.9Y' "$path")
    facts=${facts/./}
    name=${path##*/}
    if [ "$facts" != "$size $mtime" ]; then
      # Whether the file is whole tells a row left from its previous copy
      # (the program then no longer takes it as its own) from a damaged file.
      if [ "$kind" = archive ]; then holds=$zip_held
      elif cmp -s "$path" "$work/new/${name% Backup.bin}"; then holds="the new copy"
      elif cmp -s "$path" "$work/old/${name% Backup.bin}"; then holds="the old copy"
      else holds="neither whole copy"; fi
      echo "  $label: catalog row for $path records size $size time $mtime; the file has $facts and holds $holds"
      catalog_bad=$((catalog_bad + 1))
      continue
    fi
    if [ "$kind" = archive ]; then
      if [ "$path" != "$work/mnt/dest/Backup.zip" ] || { [ "$zip_held" != new ] && { [ "$zip_held" != old ] || [ "$mode" = new ]; }; }; then
        echo "  $label: catalog row for $path, which holds $zip_held"
        catalog_bad=$((catalog_bad + 1))
      fi
    elif [ "$path" != "$work/mnt/dest/$name" ] || [ "${name% Backup.bin}" = "$name" ]; then
      echo "  $label: catalog row for $path, which is no backup of this run"
      catalog_bad=$((catalog_bad + 1))
    elif ! cmp -s "$path" "$work/new/${name% Backup.bin}" \
      && { [ "$mode" = new ] || ! cmp -s "$path" "$work/old/${name% Backup.bin}"; }; then
      echo "  $label: catalog row for $path, which holds $size bytes, $([ "$mode" = new ] && echo 'not the new copy' || echo 'neither whole copy')"
      catalog_bad=$((catalog_bad + 1))
    fi
  done < <(sqlite3 -batch -noheader -separator '|' "$copy/catalog.sqlite" \
    "SELECT folders.path || copies.name, copies.backup_size, copies.backup_mtime_ns
     FROM copies JOIN folders ON copies.folder = folders.id ORDER BY copies.id")
  if [ -n "$expected" ] && [ "$catalog_rows" -ne "$expected" ]; then
    echo "  $label: the catalog holds $catalog_rows rows, not $expected"
    catalog_bad=$((catalog_bad + 1))
  fi
  return 0
}

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
  local stray rows rows_bad
  stray=$(find "$work/mnt/dest" -name '.quillstead-*' | wc -l)
  catalog_check "$label" files "$mode" "$([ "$mode" = any ] || echo "${#names[@]}")"
  rows=$catalog_rows rows_bad=$catalog_bad
  # The next run must finish the job and clear what the cut run left.
  (cd "$work/src" && "$tool" "$work/mnt/dest" "$work/mnt/prog" "${names[@]}") >/dev/null
  local after
  after=$(find "$work/mnt/dest" -name '.quillstead-*' | wc -l)
  for n in "${names[@]}"; do cmp -s "$work/mnt/dest/$n Backup.bin" "$work/new/$n" || bad=$((bad + 1)); done
  catalog_check "$label, after the next run" files new "${#names[@]}"
  echo "$label: new=$new old=$old absent=$absent broken=$bad working-files-left=$stray (after the next run: $after)" \
    "catalog rows=$rows bad=$rows_bad (after the next run: rows=$catalog_rows bad=$catalog_bad)"
  [ "$after" -eq 0 ] || bad=$((bad + 1))
  bad=$((bad + rows_bad + catalog_bad))
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
  local label=$1 mode=$2 held after stray rows rows_bad bad=0
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
  zip_held=$held
  catalog_check "archive, $label" archive "$mode" "$([ "$mode" = any ] || echo 1)"
  rows=$catalog_rows rows_bad=$catalog_bad
  [ "$catalog_bad" -eq 0 ] || bad=1
  # The next run must make the new archive and clear what the cut run left.
  (cd "$work/src" && "$tool" --archive "$work/mnt/dest" "$work/mnt/prog" "${names[@]}") >/dev/null
  after=$(find "$work/mnt/dest" -name '.*' -type f | wc -l)
  zip_held=$(zip_state)
  [ "$zip_held" = new ] && [ "$after" -eq 0 ] || bad=1
  catalog_check "archive, $label, after the next run" archive new 1
  [ "$catalog_bad" -eq 0 ] || bad=1
  echo "archive, $label: Backup.zip holds $held; working files left=$stray (after the next run: $after);" \
    "catalog rows=$rows bad=$rows_bad (after the next run: rows=$catalog_rows bad=$catalog_bad)"
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
  echo "PASS: every backup name held a whole copy after every cut, and every catalog row named one as recorded"
else
  echo "FAIL: $perfile_failures of 11 cuts left a broken backup or catalog"
  status=1
fi
if [ "$failures" -eq 0 ]; then
  echo "PASS (archive mode): Backup.zip opened and held the previous or the new set after each of $cuts cuts, as its catalog row recorded"
else
  echo "FAIL (archive mode): $failures of $cuts cuts left Backup.zip broken, missing or mixed, or its catalog wrong"
  status=1
fi
exit "$status"

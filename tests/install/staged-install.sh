#!/usr/bin/env bash
# Usage: staged-install.sh BUILD_DIR
# Installs Quillstead into a staging folder (DESTDIR), checks the menu entry
# and the metadata, then starts the staged program under a virtual display
# with a home and XDG folders of its own, presses "Backup Now (Test)" once in
# per-file mode and once in archive mode, and checks that the backup, the
# history line, the archive, list.txt and the temp folder are where they
# belong (the program's own files in the user's data folder), and that
# nothing was written into the install tree.
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage="$work/stage"

# Exit code 77 tells CTest that the check was skipped.
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed ($2)"; exit 77; }; }
need xvfb-run "package xvfb"
need xdotool "package xdotool"
need desktop-file-validate "package desktop-file-utils"
need appstreamcli "package appstream"

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
desktop-file-validate "$stage/usr/share/applications/com.brookmere.Quillstead.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/com.brookmere.Quillstead.metainfo.xml" >/dev/null
for size in 16 32 48 256; do
  test -s "$stage/usr/share/icons/hicolor/${size}x${size}/apps/com.brookmere.Quillstead.png"
done
test "$(readlink "$stage/usr/lib/quillstead/7za")" = ../../bin/7za
# The languages go where the installed program looks for them.
test -s "$stage/usr/lib/quillstead/translations/quillstead_de.qm"

# The staging folder stands in for the system's root: the system's archiver
# goes where the package's relative link expects it.
ln -s "$(command -v 7za)" "$stage/usr/bin/7za"

snapshot() { (cd "$stage" && find . -printf '%p %s %T@ %m\n' | sort); }
snapshot > "$work/before"

mkdir -p "$work/home" "$work/config/Brookmere" "$work/data" "$work/docs" "$work/backups" "$work/runtime"
chmod 700 "$work/runtime"
printf 'keep me\n' > "$work/docs/report.doc"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8 TZ=UTC
unset QT_QPA_PLATFORM
# Under the sanitizers: what the system's desktop libraries keep is not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$(realpath "$0")")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
user="$work/data/Brookmere/Quillstead"

# Starts the staged program with the given "Check1" (archive mode), presses
# "Backup Now (Test)" and closes the program once the file $2 has appeared.
backup_now() {
  cat > "$work/config/Brookmere/Quillstead.ini" <<INI
[Quillstead]
Files="$work/docs/report.doc;"
Path=$work/backups/
WhereOption=1
Include Date=Off
Check1=$1
OftenIndex=3
BackupSwitch=Off
ShowAgain=1
INI
  xvfb-run -a -s "-screen 0 1024x900x24 -dpi 96" bash -c '
    set -eu
    "$1" & app=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Quillstead\$" | head -n 1)
    # "Backup Now (Test)" lies at 3360,9120 twips (3120 x 405) in the window: 96 dpi gives 15 twips a pixel.
    xdotool mousemove --window "$window" $(( (3360 + 1560) / 15 )) $(( (9120 + 202) / 15 )) click 1
    for _ in $(seq 150); do [ -s "$2" ] && break; sleep 0.1; done
    kill -TERM "$app"; wait "$app"
  ' _ "$stage/usr/bin/quillstead" "$2"
}

backup_now 0 "$user/history.txt"
cmp "$work/docs/report.doc" "$work/backups/report.doc Backup.doc"
grep -q '^report.doc was backup saved at ' "$user/history.txt"

backup_now 1 "$work/backups/Backup.zip"
7za x -so "$work/backups/Backup.zip" report.doc | cmp - "$work/docs/report.doc"
test -d "$user/temp"
grep -q "report.doc" "$user/list.txt"

snapshot > "$work/after"
if ! diff -u "$work/before" "$work/after"; then
  echo "FAIL: the program wrote into the install tree"
  exit 1
fi
echo "staged install: 1 passed, 0 failed"

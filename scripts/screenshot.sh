#!/usr/bin/env bash
# Starts Quillstead under a virtual display with a settings folder of its own
# and a small example backup set, and saves pictures of the window, of its
# "More Options" dialog, of the Restore window with a few versions of a file,
# of the window in German, of the window while a run packs its archive, of the tray icon (with
# Debian's trayer as the tray host) and of the splash window.
# On the way it checks for real that a left click on the tray icon brings the
# hidden window back and that "Copy History To Clipboard" fills the X
# clipboard with the whole log (read back with xclip).
# Usage: screenshot.sh [OUTPUT_FOLDER]   (default: docs)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/docs}")
"$here/scripts/setup.sh"
missing=()
for tool in import:imagemagick trayer:trayer xclip:xclip xdotool:xdotool; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool##*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
"$here/scripts/build.sh" "$here/build" -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF
program="$here/build/bin"
mkdir -p "$out"

work=$(mktemp -d)
trap 'rm -rf "$work" "$program/Splash"' EXIT
mkdir -p "$work/home" "$work/config/Brookmere" "$work/docs" "$work/backups"
for f in report.doc budget.xlsx notes.txt; do echo "example" > "$work/docs/$f"; done
settings() {
  cat > "$work/config/Brookmere/Quillstead.ini" <<INI
[Quillstead]
Files="$work/docs/report.doc;$work/docs/budget.xlsx;$work/docs/notes.txt;"
Path=$work/backups/
WhereOption=1
OftenIndex=3
BackupSwitch=On
$1
INI
}
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" LC_ALL=C.UTF-8

# The main window.
settings "ShowAgain=1"
xvfb-run -a -s "-screen 0 800x860x24" bash -c "
  '$program/quillstead' & app=\$!
  sleep 4
  import -window root -crop 440x706+180+77 +repage '$out/main-window.png'
  # \"More Options...\" (15 twips a pixel), and its dialog.
  window=\$(xdotool search --onlyvisible --name '^Quillstead\$' | head -1)
  eval \$(xdotool getwindowgeometry --shell \$window)
  xdotool mousemove \$((X + 112)) \$((Y + 685)) click 1
  sleep 2
  dialog=\$(xdotool search --onlyvisible --name '^More Options\$' | head -1)
  [ -n \"\$dialog\" ] || { echo 'More Options... did not open its dialog'; kill \$app; exit 1; }
  import -window \$dialog '$out/more-options.png'
  kill \$app; wait \$app || true"

# The main window in German, as a user with a German locale sees it.
settings "ShowAgain=1"
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 xvfb-run -a -s "-screen 0 800x860x24" bash -c "
  '$program/quillstead' & app=\$!
  sleep 4
  import -window root -crop 440x706+180+77 +repage '$out/main-window-de.png'
  kill \$app; wait \$app || true"

# The Restore window: three backups of notes.txt, a dated copy each (Backup
# Now, 15 twips a pixel), notes.txt chosen in the list, then Restore... and
# the second newest version chosen with the arrow key.
settings "Include Date=On
Backup Option=1"
xvfb-run -a -s "-screen 0 1200x860x24" bash -c "
  '$program/quillstead' & app=\$!
  sleep 4
  window=\$(xdotool search --onlyvisible --name '^Quillstead\$' | head -1)
  eval \$(xdotool getwindowgeometry --shell \$window)
  for edit in 'a first draft' 'a longer second draft' 'the third draft, nearly done'; do
    echo \"\$edit\" > '$work/docs/notes.txt'
    xdotool mousemove \$((X + 328)) \$((Y + 621)) click 1
    sleep 7
  done
  xdotool mousemove \$((X + 60)) \$((Y + 145)) click 1
  sleep 1
  xdotool mousemove \$((X + 328)) \$((Y + 685)) click 1
  sleep 2
  restore=\$(xdotool search --onlyvisible --name '^Restore\$' | head -1)
  [ -n \"\$restore\" ] || { echo 'Restore... did not open its window'; kill \$app; exit 1; }
  xdotool key Down
  sleep 1
  import -window \$restore '$out/restore.png'
  kill \$app; wait \$app || true"

# A run under way, packing an archive (Backup Now, 15 twips a pixel): a
# stand-in for 7za packs with the real one, then tells its progress slowly
# as the real one does. The program runs from a copy laid out as installed,
# so that it finds the stand-in in its package folder.
mkdir -p "$work/app/bin" "$work/app/lib/quillstead"
cp "$program/quillstead" "$work/app/bin/"
cat > "$work/app/lib/quillstead/7za" <<SH
#!/bin/sh
'$program/7za' "\$@" >/dev/null || exit \$?
for p in '  8% 1 + report.doc' ' 42% 2 + budget.xlsx'; do
  printf '%s' "\$p"; sleep 1; printf '\\b%.0s' \$(seq \${#p})
done
exec sleep 60
SH
chmod +x "$work/app/lib/quillstead/7za"
settings "ShowAgain=1
Check1=1"
xvfb-run -a -s "-screen 0 800x860x24" bash -c "
  '$work/app/bin/quillstead' & app=\$!
  sleep 4
  window=\$(xdotool search --onlyvisible --name '^Quillstead\$' | head -1)
  eval \$(xdotool getwindowgeometry --shell \$window)
  xdotool mousemove \$((X + 328)) \$((Y + 621)) click 1
  sleep 4
  import -window root -crop 440x706+180+77 +repage '$out/progress.png'
  kill \$app; wait \$app || true"

# The splash, then the window started in the tray and brought back by a click
# on the icon, then a real clipboard copy of the history log.
mkdir -p "$program/Splash"
convert -size 360x150 gradient:'#2a7fa8-#1b4f72' -fill white -font Liberation-Sans-Bold -pointsize 30 -gravity center \
  -annotate +0-8 'Quillstead' -pointsize 13 -annotate +0+28 'keeps your backups on time' \
  "$program/Splash/splash.png"
settings "Minimized=On"
xvfb-run -a -s "-screen 0 800x860x24" bash -ec "
  trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
    --transparent true --alpha 0 --tint 0xdddddd & tray=\$!
  sleep 2
  '$program/quillstead' & app=\$!
  sleep 2
  import -window root -crop 400x220+200+320 +repage '$out/splash.png'
  sleep 4
  if xdotool search --onlyvisible --name '^Quillstead\$' >/dev/null; then
    echo 'The window should be hidden in the tray'; kill \$app \$tray; exit 1
  fi
  # The one icon sits at the right end of trayer's panel, at the top right.
  xdotool mousemove 788 12 click 3
  sleep 1
  if xdotool search --onlyvisible --name '^Quillstead\$' >/dev/null; then
    echo 'A right click on the tray icon should do nothing'; kill \$app \$tray; exit 1
  fi
  xdotool mousemove 788 12 click 1
  sleep 2
  window=\$(xdotool search --onlyvisible --name '^Quillstead\$' | head -1)
  [ -n \"\$window\" ] || { echo 'A left click on the tray icon did not bring the window back'; kill \$app \$tray; exit 1; }
  import -window root -crop 800x780+0+0 +repage -resize 75% '$out/tray.png'
  eval \$(xdotool getwindowgeometry --shell \$window)
  # Backup Now (Test), then Copy History To Clipboard (15 twips a pixel).
  xdotool mousemove \$((X + 328)) \$((Y + 621)) click 1
  sleep 7
  xdotool mousemove \$((X + 328)) \$((Y + 653)) click 1
  sleep 1
  xclip -o -selection clipboard > '$work/clipboard.txt'
  kill \$app \$tray; wait \$app || true
  if ! cmp -s '$work/clipboard.txt' '$program/history.txt'; then
    echo 'The clipboard does not hold the history log'; exit 1
  fi
  echo 'Tray click and clipboard copy checked under Xvfb.'"
echo "Saved $out/main-window.png, $out/main-window-de.png, $out/more-options.png, $out/restore.png, $out/progress.png, $out/tray.png and $out/splash.png"

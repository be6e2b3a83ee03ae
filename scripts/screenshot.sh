#!/usr/bin/env bash
# Starts Quillstead under a virtual display with a settings folder of its own
# and a small example backup set, and saves a picture of the window.
# Usage: screenshot.sh [OUTPUT.png]   (default: docs/main-window.png)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/docs/main-window.png}")
"$here/scripts/setup.sh"
command -v import >/dev/null || {
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends imagemagick
}
"$here/scripts/build.sh" "$here/build" -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config/Brookmere" "$work/docs" "$work/backups"
for f in report.doc budget.xlsx notes.txt; do echo "example" > "$work/docs/$f"; done
cat > "$work/config/Brookmere/Quillstead.ini" <<INI
[Quillstead]
Files="$work/docs/report.doc;$work/docs/budget.xlsx;$work/docs/notes.txt;"
Path=$work/backups/
WhereOption=1
OftenIndex=3
BackupSwitch=On
INI
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" LC_ALL=C.UTF-8
xvfb-run -a -s "-screen 0 800x860x24" bash -c "
  '$here/build/bin/quillstead' & app=\$!
  sleep 4
  import -window root -crop 440x674+180+93 +repage '$out'
  kill \$app; wait \$app || true"
echo "Saved $out"

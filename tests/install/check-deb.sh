#!/usr/bin/env bash
# Usage: check-deb.sh PACKAGE.deb
# Checks what the Debian package holds and what it declares that it needs.
set -euo pipefail
deb=$1
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb is not installed"; exit 77; }
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
fail() { echo "FAIL: $*"; exit 1; }

grep -q '^ Package: quillstead$' <<<"$info" || fail "package name"
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
for need in libqt6widgets6 libqt6gui6 libqt6core6 p7zip-full xdg-utils fonts-liberation; do
  grep -q "\b$need\b" <<<"$depends" || fail "Depends lacks $need: $depends"
done
for path in ./usr/bin/quillstead ./usr/share/applications/com.brookmere.Quillstead.desktop \
    ./usr/share/metainfo/com.brookmere.Quillstead.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/com.brookmere.Quillstead.png \
    "./usr/lib/quillstead/7za -> ../../bin/7za" ./usr/lib/quillstead/translations/quillstead_de.qm \
    ./usr/share/doc/quillstead/copyright; do
  grep -qF " $path" <<<"$contents" || fail "missing $path"
done
# The user's settings, history and backups live in the home folder, which a
# package never holds; removing it leaves them alone.
! grep -E ' \./(home|root|etc)/' <<<"$contents" || fail "files outside /usr"
if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" || echo "(lintian's findings above are informational)"
else
  echo "lintian is not installed: skipped its review"
fi
echo "debian package: 1 passed, 0 failed"

#!/usr/bin/env bash
# Builds the Debian package quillstead_<version>_<arch>.deb into build-package/
# and checks its contents and dependencies. Install it with
#   sudo apt install ./build-package/quillstead_*.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="$here/build-package"
"$here/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quillstead_*.deb)
"$here/tests/install/check-deb.sh" "$deb"
echo "Built $deb"

#!/usr/bin/env bash
# Installs what is missing, builds Quillstead and opens its window. Without a
# display it runs under a virtual one (xvfb-run).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$here/build/bin/quillstead" "$@"
else
  echo "No display found: running under xvfb-run."
  exec xvfb-run -a "$here/build/bin/quillstead" "$@"
fi

#!/bin/sh
# Usage: sandboxed-test.sh SANDBOX_DIR TEST_EXECUTABLE [ARGS...]
# Runs one test with a fresh home and config folder of its own.
set -e
sandbox=$1; shift
rm -rf "$sandbox"
mkdir -p "$sandbox/home" "$sandbox/config" "$sandbox/data" "$sandbox/cache" "$sandbox/runtime"
chmod 700 "$sandbox/runtime"
export HOME="$sandbox/home" XDG_CONFIG_HOME="$sandbox/config" XDG_DATA_HOME="$sandbox/data"
export XDG_CACHE_HOME="$sandbox/cache" XDG_RUNTIME_DIR="$sandbox/runtime"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE= TZ=UTC
exec "$@"

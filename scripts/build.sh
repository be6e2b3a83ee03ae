#!/usr/bin/env bash
# Usage: build.sh BUILD_DIR [extra cmake options...]  — configures and builds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$1; shift
cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"

#!/usr/bin/env bash
# Installs what is missing, builds Quillstead and runs the whole test suite.
# --sanitize builds and runs it under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="$here/build-tests"
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-sanitize"
  options=(-DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON -DQUILL_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
"$here/scripts/build.sh" "$build" "${options[@]}"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

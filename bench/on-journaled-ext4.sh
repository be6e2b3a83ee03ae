#!/usr/bin/env bash
# Runs quillstead-bench on a freshly made, journaled ext4 file system in a
# loop-mounted image: the usual desktop file system, for comparison with the
# machine's own temporary folder. Needs root (mount) and a built benchmark.
# Usage: bench/on-journaled-ext4.sh [BUILD_DIR]   (default: build-tests)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bench="${1:-$here/build-tests}/bin/quillstead-bench"
work=$(mktemp -d)
cleanup() { umount "$work/mnt" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
truncate -s 3G "$work/ext4.img"
mkfs.ext4 -q -F "$work/ext4.img"
mkdir "$work/mnt"
mount -o loop "$work/ext4.img" "$work/mnt"
"$bench" "$work/mnt"

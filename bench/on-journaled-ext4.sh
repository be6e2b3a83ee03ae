#!/usr/bin/env bash
# Runs quillstead-bench on a freshly made, journaled ext4 file system in a
# loop-mounted image: the usual desktop file system, for comparison with the
# machine's own temporary folder. Needs root (mount) and a built benchmark.
# Usage: bench/on-journaled-ext4.sh [BUILD_DIR [NAME]]   (default: build-tests; NAME: one benchmark)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bench="${1:-$here/build-tests}/bin/quillstead-bench"
work=$(mktemp -d)
cleanup() { umount "$work/mnt" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
# Every block of the image is written once (with something other than zeros,
# which thin-provisioned storage may not store) and mkfs must not discard
# them: otherwise the first write to each region costs an allocation on the
# host, which favours a peer that rewrites its old blocks over one that
# writes new files.
head -c 3G <(yes quillstead) >"$work/ext4.img"
mkfs.ext4 -q -F -E nodiscard "$work/ext4.img"
mkdir "$work/mnt"
mount -o loop "$work/ext4.img" "$work/mnt"
"$bench" "$work/mnt" "${2:-}"

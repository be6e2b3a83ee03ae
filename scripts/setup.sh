#!/usr/bin/env bash
# Installs what building, testing and running Quillstead needs on Debian,
# skipping what is already there. Uses sudo when not run as root.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-base-private-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev libsqlite3-dev sqlite3 p7zip-full xdg-utils xvfb xauth
  fonts-liberation xdotool desktop-file-utils appstream dpkg-dev rsync dbus
  fuse3 exfat-fuse exfatprogs ntfs-3g sshfs openssh-sftp-server)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

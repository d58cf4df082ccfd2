#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, if any is missing.
set -euo pipefail

packages=(qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-5compat-dev qt6-image-formats-plugins
          qt6-translations-l10n qt6-wayland fonts-liberation cmake g++ make xvfb xdotool x11-utils
          x11-xserver-utils x11-xkb-utils imagemagick python3 openbox weston
          # the idle watcher: its idle sources, and the desktops its end-to-end tests run
          pkg-config libwayland-dev wayland-protocols plasma-wayland-protocols libxcb-sync-dev
          libxcb-screensaver0-dev dbus libglib2.0-bin python3-gi mutter gnome-session-bin sway
          wtype kwin-wayland xscreensaver xscreensaver-data ${EXTRA_PACKAGES:-})

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

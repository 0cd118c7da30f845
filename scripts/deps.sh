#!/usr/bin/env bash
# Installs the Debian packages needed to build and test (Debian 12, as root).
set -euo pipefail

packages=(
    g++ make pkg-config cmake extra-cmake-modules
    qtbase5-dev qtdeclarative5-dev libqt5svg5-dev qtmultimedia5-dev libqt5x11extras5-dev
    libkf5config-dev libkf5configwidgets-dev libkf5i18n-dev libkf5coreaddons-dev
    libkf5declarative-dev libkf5widgetsaddons-dev libkf5guiaddons-dev libkf5archive-dev
    libkf5kcmutils-dev
    libqt5multimedia5-plugins gstreamer1.0-plugins-base gstreamer1.0-plugins-good qt5-image-formats-plugins
    libconfig-dev libx11-dev libxcursor-dev libsimpleini-dev zlib1g-dev
    xvfb xauth dbus x11-utils x11-xserver-utils psmisc util-linux python3 strace
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ] || [ "${PEXO_FORCE_APT:-}" = 1 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${packages[@]}"
fi

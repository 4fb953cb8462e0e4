#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Velmora builds and tests with, only those missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libzip-dev
    libjpeg62-turbo-dev libjpeg-turbo-progs libpng-dev libtiff-dev zlib1g-dev libgif-dev libwmf-dev libemf2svg-dev
    fonts-liberation fonts-urw-base35 poppler-utils desktop-file-utils
    locales-all shared-mime-info qt6-image-formats-plugins
    qt6-translations-l10n qt6-l10n-tools fonts-noto-cjk xvfb xauth
    libtag1-dev flac sox lame libqpdf-dev img2pdf liblcms2-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
# fonts-urw-base35 is named explicitly: libwmf finds no font without it and
# --no-install-recommends would otherwise skip it.
# Through env: sudo drops variables set before it.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"

#!/bin/sh
# Installs the Debian 12 packages that building, running and testing need,
# making the Debian package and checking it (the last line); slurm-wlm and
# munge run the Slurm job array test (deploy/slurm/array-test.sh).
# Runs apt-get through sudo when not root; does nothing when all are present.
set -e
packages="build-essential cmake ninja-build pkg-config libgl-dev
qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
qt6-image-formats-plugins qt6-translations-l10n libqt6svg6
slurm-wlm munge libexiv2-dev libheif-dev libjxl-dev libraw-dev libjpeg62-turbo-dev libdeflate-dev libwebp-dev libicu-dev libbenchmark-dev python3 imagemagick fonts-wqy-microhei fonts-dejavu-core xvfb xauth
dpkg-dev file lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin man-db zsh fish"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends $missing

#!/usr/bin/env bash
# Installs every build and test dependency on Debian 12. Quick when all is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang-format
  qt6-base-dev qt6-webengine-dev libgl-dev qcoro-qt6-dev
  libcurl4-openssl-dev libssl-dev openssl libcpp-httplib-dev libxlsxwriter-dev
  libpsl-dev publicsuffix libc-ares-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core tinyproxy python3 unzip
  clang llvm
  libqt6svg6 qt6-translations-l10n xdg-utils
  dpkg-dev desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs every Debian package the project needs; does nothing when all are there.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64
  xvfb xauth x11-utils
  fonts-wqy-zenhei fonts-wine imagemagick fp-utils nsis unzip
  wixl msitools osslsigncode openssl python3 python3-olefile python3-yaml python3-jsonschema faketime
  libgtest-dev libbenchmark-dev libpugixml-dev libtinyxml2-dev
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if [ ${#missing[@]} -ne 0 ]; then
  echo "installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

# Files of older releases are read in the ANSI code page; the test of a GBK
# file runs Wine in a Simplified-Chinese locale, which the host must have.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "generating the zh_CN.UTF-8 locale"
  $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

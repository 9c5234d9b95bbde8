#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and the sample need, when they are
# missing. Run as root on a fresh machine; does nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang-format python3
  clang-14 libclang-rt-14-dev llvm-14
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 iso-codes
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils openbox imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and the sample need, when they are
# missing. Run as root on a fresh machine; does nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang-format python3
  # ThreadSanitizer's runtime, for the native-tsan preset.
  libtsan2
  clang-14 libclang-rt-14-dev llvm-14
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 iso-codes
  unixodbc unixodbc-dev odbc-postgresql libsqliteodbc postgresql
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils openbox imagemagick
  # The .idl files of the COM interfaces, for the component's type library (widl).
  libwine-dev
  # The component for 32-bit hosts, and the emulated 32-bit Windows runtime it is tested in:
  # Debian's i386 packages are only unpacked into a disk image, never installed here (this
  # machine runs no 32-bit code, and a 32-bit Wine here would break the 64-bit one).
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  mmdebstrap qemu-system-x86 e2fsprogs cpio
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
  # Installing PostgreSQL may start the system's own cluster; the tests start private servers
  # of their own and need none running.
  if [[ " ${missing[*]} " == *" postgresql "* ]] && command -v pg_lsclusters >/dev/null; then
    pg_lsclusters --no-header 2>/dev/null | awk '$4 == "online" {print $1, $2}' |
      while read -r version cluster; do pg_ctlcluster "$version" "$cluster" stop || true; done
  fi
fi

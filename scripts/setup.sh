#!/usr/bin/env bash
# Installs everything the builds and tests need on a bare Debian machine:
# toolchains, Wine, Xvfb, test libraries, NSIS, and libjpeg-turbo cross-built
# for both Windows targets into build/deps. A second run does no work.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deps="$root/build/deps"
stamp="$deps/.setup-v1"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 xvfb xdotool x11-utils imagemagick
  libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
  nsis dpkg-dev python3 fonts-dejavu-core groff ghostscript wkhtmltopdf
)

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

need_src=0
if ! grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null \
   && ! grep -rqs "^Types:.*deb-src" /etc/apt/sources.list.d/ 2>/dev/null; then
  need_src=1
fi

if [ ${#missing[@]} -gt 0 ] || [ "$need_src" = 1 ]; then
  if [ "$need_src" = 1 ]; then
    # Debian's source list is needed for libjpeg-turbo's source package.
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sudo_ sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    else
      echo "deb-src http://deb.debian.org/debian bookworm main" | sudo_ tee /etc/apt/sources.list.d/framewright-src.list >/dev/null
    fi
  fi
  echo "setup: installing ${missing[*]:-source lists}"
  sudo_ apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi

if [ -f "$stamp" ]; then
  exit 0
fi

# libjpeg-turbo for the Windows builds, from Debian's source package.
mkdir -p "$deps/src"
if [ ! -d "$deps/src/libjpeg-turbo" ]; then
  (cd "$deps/src" && apt-get source -qq --download-only libjpeg-turbo >/dev/null 2>&1 || apt-get source -qq libjpeg-turbo)
  (cd "$deps/src" && { ls -d libjpeg-turbo-*/ >/dev/null 2>&1 || dpkg-source -x ./*.dsc >/dev/null; } && mv "$(ls -d libjpeg-turbo-*/ | head -1)" libjpeg-turbo)
fi
for arch in x86_64 i686; do
  prefix="$deps/jpeg-$arch"
  [ -f "$prefix/lib/libjpeg.a" ] && continue
  cmake -S "$deps/src/libjpeg-turbo" -B "$deps/build-jpeg-$arch" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="$arch" \
    -DCMAKE_C_COMPILER="$arch-w64-mingw32-gcc-posix" -DCMAKE_RC_COMPILER="$arch-w64-mingw32-windres" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF >/dev/null
  cmake --build "$deps/build-jpeg-$arch" --target install >/dev/null
done
touch "$stamp"
echo "setup: done"

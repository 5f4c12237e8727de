#!/usr/bin/env bash
# Builds the three trees: build/native, build/win64, build/win32.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
jobs="$(nproc)"
configure() {  # dir, extra args...
  local dir="$1"; shift
  if [ ! -f "$root/build/$dir/build.ninja" ]; then
    cmake -S "$root" -B "$root/build/$dir" -G Ninja -Wno-dev "$@" >/dev/null
  fi
  cmake --build "$root/build/$dir" -j "$jobs"
}
targets="${FW_BUILDS:-native win64 win32}"
for t in $targets; do
  case "$t" in
    native) configure native ;;
    win64) configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-win64.cmake" ;;
    win32) configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-win32.cmake" ;;
  esac
done

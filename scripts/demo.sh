#!/usr/bin/env bash
# The main job from a bare machine: set-up, build, the 64-bit installer, a
# sandbox with the stand-in game and the program installed by that installer,
# the real window, a whole benchmark run; prints the report's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
FW_BUILDS="native win64" scripts/build.sh
scripts/build-installer.sh x64
exec python3 tools/demo.py "$@"

#!/usr/bin/env bash
# The main job from a bare machine: set-up, build, a sandbox with the stand-in
# game, the real window, a whole benchmark run; prints the report's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
FW_BUILDS="native win64" scripts/build.sh
exec python3 tools/demo.py "$@"

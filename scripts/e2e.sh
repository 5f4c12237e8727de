#!/usr/bin/env bash
# Builds the native and win64 trees and the 64-bit installer, then runs the
# end-to-end tests under Wine and Xvfb: scripts/e2e.sh [run_e2e.py options and
# test patterns].
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# An existing win64 tree learns of test programs added since it was made
# (the UI driver is only added when its folder exists at configure time).
if [ -f "$root/build/win64/build.ninja" ]; then
    cmake "$root/build/win64" >/dev/null
fi
FW_BUILDS="native win64" "$root/scripts/build.sh"
"$root/scripts/build-installer.sh" x64
exec python3 "$root/tests/e2e/run_e2e.py" "$@"

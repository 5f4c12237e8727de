#!/usr/bin/env bash
# Builds the native and win64 trees, then runs the end-to-end tests under
# Wine and Xvfb: scripts/e2e.sh [run_e2e.py options and test patterns].
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
FW_BUILDS="native win64" "$root/scripts/build.sh"
exec python3 "$root/tests/e2e/run_e2e.py" "$@"

#!/usr/bin/env bash
# Runs every test from a bare machine: set-up, the three builds, the native
# unit tests with the stand-in game's self-test, a short fuzzing session, the
# installers and the end-to-end tests of the real program under Wine and Xvfb
# (their sandboxes get the program from the 64-bit installer).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

step() { printf '\n== %s\n' "$*"; }

step "set-up"
scripts/setup.sh

step "builds: native, win64, win32"
scripts/build.sh

step "unit tests and the stand-in game's self-test"
(cd build/native && ctest --output-on-failure)

if [ -x tests/fuzz/run-fuzz.sh ]; then
  step "fuzzing the demo-log parser (${FW_FUZZ_SECONDS:-30} s)"
  tests/fuzz/run-fuzz.sh "${FW_FUZZ_SECONDS:-30}"
fi

step "installers: x64 and x86"
scripts/build-installer.sh

step "end-to-end tests under Wine"
python3 tests/e2e/run_e2e.py "$@"

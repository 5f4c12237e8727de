#!/usr/bin/env bash
# Runs a Windows program in a sandbox made by make-sandbox.sh, on $DISPLAY.
#
# usage: run-in-sandbox.sh DIR program [args...]
#
# A sandbox made with --desktop records its virtual desktop in the prefix's
# registry, so every program of the prefix (this one, the game it starts, the
# UI driver) lands on the same desktop "fw" of that size, and the program's
# exit code and output come back unchanged. (Started through
# "explorer /desktop=fw,WxH" instead, a program's exit code would be lost, and
# the explorer that opened the desktop would stay with it.)
# FW_WINEDEBUG overrides the silent WINEDEBUG=-all.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: run-in-sandbox.sh DIR program [args...]" >&2
    exit 2
fi
dir="$1"
shift
[ -f "$dir/sandbox.env" ] || { echo "run-in-sandbox: $dir is not a sandbox" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "run-in-sandbox: DISPLAY is not set" >&2; exit 2; }

# shellcheck source=/dev/null
. "$dir/sandbox.env"
export WINEPREFIX
export WINEDEBUG="${FW_WINEDEBUG:--all}"
# Arguments reach the program as UTF-8 turned into UTF-16.
export LC_ALL=C.UTF-8
exec wine "$@"

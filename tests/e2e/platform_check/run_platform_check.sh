#!/usr/bin/env bash
# Runs the platform check under Wine and Xvfb, then asks the version query
# under each Windows version Wine can play. Usage: run_platform_check.sh BUILD_DIR
# (a win64 build tree). Exit code 0 only when everything passed.
set -euo pipefail
build="${1:?usage: $0 BUILD_DIR}"
exe="$build/tests/e2e/platform_check/platform_check.exe"
prefix="${WINEPREFIX:-/tmp/win32check-prefix}"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

failed=0
xvfb-run -a wine "$exe" || failed=1

# "6" from Vista on is what keeps DirectX 10 offered on Windows 10 and 11.
for pair in winxp64:5 vista:6 win7:6 win10:6; do
    version="${pair%%:*}"
    want="${pair##*:}"
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1
    got="$(wine "$exe" --major-version 2>/dev/null | tr -d '\r')"
    if [ "$got" = "$want" ]; then
        echo "PASS version: $version answers $got"
    else
        echo "FAIL version: $version answers '$got', want $want"
        failed=1
    fi
done
wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
exit "$failed"

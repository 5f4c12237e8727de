#!/usr/bin/env bash
# Builds the two installers into build/installer/:
#   Framewright-Setup-x64.exe   the 64-bit program (build/win64), NSIS amd64 stub
#   Framewright-Setup-x86.exe   the 32-bit program (build/win32), NSIS x86 stub
# with the manual (scripts/build-help.sh) and the data folders. What they carry
# is built first when it is missing; an installer newer than everything it
# carries is kept.
#
# usage: build-installer.sh [--force]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out_dir="$root/build/installer"
nsi="$root/installer/framewright.nsi"
data="$root/data"

force=0
case "${1:-}" in
    "") ;;
    --force) force=1 ;;
    *) echo "usage: build-installer.sh [--force]" >&2; exit 2 ;;
esac

command -v makensis >/dev/null || "$root/scripts/setup.sh"

missing=()
for build in win64 win32; do
    [ -f "$root/build/$build/framewright.exe" ] || missing+=("$build")
done
if [ ${#missing[@]} -gt 0 ]; then
    FW_BUILDS="${missing[*]}" "$root/scripts/build.sh"
fi
"$root/scripts/build-help.sh"
help_pdf="$root/build/help/Help.pdf"

version="$(sed -n 's/^set(FW_FILE_VERSION "\(.*\)")$/\1/p' "$root/CMakeLists.txt")"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || {
    echo "build-installer: no four-part FW_FILE_VERSION in CMakeLists.txt" >&2
    exit 1
}

mkdir -p "$out_dir"

# The uninstaller must remove exactly the files the installer brought, so the
# configuration groups are listed one by one for both directions.
nsis_quote() { printf '%s' "${1//\$/\$\$}"; }
data_files="$out_dir/data-files.nsh"
{
    echo "; Made by scripts/build-installer.sh from data/CVarGroups."
    echo "!macro InstallDataFiles"
    echo '  SetOutPath "$INSTDIR\CVarGroups"'
    find "$data/CVarGroups" -maxdepth 1 -type f -print | LC_ALL=C sort | while IFS= read -r file; do
        printf '  File "%s"\n' "$(nsis_quote "$file")"
    done
    echo "!macroend"
    echo "!macro UninstallDataFiles"
    find "$data/CVarGroups" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort | while IFS= read -r name; do
        printf '  Delete "$INSTDIR\\CVarGroups\\%s"\n' "$(nsis_quote "$name")"
    done
    echo '  RMDir "$INSTDIR\CVarGroups"'
    echo "!macroend"
} >"$data_files.new"
if cmp -s "$data_files.new" "$data_files"; then
    rm "$data_files.new"
else
    mv "$data_files.new" "$data_files"
fi

build_one() {  # target (x64|x86), program build folder
    local target="$1" program_dir="$2"
    local setup="$out_dir/Framewright-Setup-$target.exe"
    local inputs=("$nsi" "$program_dir/framewright.exe" "$help_pdf" "$data_files" "$data" "$root/scripts/build-installer.sh")
    if [ "$force" = 0 ] && [ -f "$setup" ] &&
        [ -z "$(find "${inputs[@]}" -newer "$setup" -print -quit)" ]; then
        return
    fi
    # makensis writes next to the target; a failed build leaves no installer.
    rm -f "$setup"
    makensis -V2 -INPUTCHARSET UTF8 \
        "-DTARGET=$target" "-DBUILD_DIR=$program_dir" "-DHELP_PDF=$help_pdf" \
        "-DDATA_DIR=$data" "-DDATA_FILES=$data_files" "-DVERSION=$version" \
        "-DOUTFILE=$setup.part" "$nsi"
    mv "$setup.part" "$setup"
    echo "build-installer: $setup ($(stat -c %s "$setup") bytes)"
}

build_one x64 "$root/build/win64"
build_one x86 "$root/build/win32"

#!/usr/bin/env bash
# Builds the installers with the manual (scripts/build-help.sh) and the data
# folders:
#   Framewright-Setup-x64.exe   the 64-bit program, NSIS amd64 stub
#   Framewright-Setup-x86.exe   the 32-bit program, NSIS x86 stub
# An installer is built again when it carries another framewright.exe than
# the build's, or is older than anything else it carries.
#
# usage: build-installer.sh [--force] [x64] [x86]     (no target: both)
# Environment: FW_WIN64_BUILD (build/win64) and FW_WIN32_BUILD (build/win32),
# the program builds the installers carry; FW_INSTALLER_DIR, where they go:
# build/installer, or FW_WIN64_BUILD/installer for another 64-bit build, so
# that people testing different builds side by side keep their own (the
# sandboxes and the end-to-end tests look there too). A missing build in its
# default folder is built first; one in another folder is that folder's
# owner's business, so it is an error here.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
win64_build="$(realpath -m "${FW_WIN64_BUILD:-$root/build/win64}")"
win32_build="$(realpath -m "${FW_WIN32_BUILD:-$root/build/win32}")"
if [ -n "${FW_INSTALLER_DIR:-}" ]; then
    out_dir="$(realpath -m "$FW_INSTALLER_DIR")"
elif [ "$win64_build" = "$(realpath -m "$root/build/win64")" ]; then
    out_dir="$root/build/installer"
else
    out_dir="$win64_build/installer"
fi
nsi="$root/installer/framewright.nsi"
data="$root/data"

usage() { echo "usage: build-installer.sh [--force] [x64] [x86]" >&2; exit 2; }
force=0
targets=()
for arg in "$@"; do
    case "$arg" in
        --force) force=1 ;;
        x64 | x86) targets+=("$arg") ;;
        *) usage ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=(x64 x86)

command -v makensis >/dev/null || "$root/scripts/setup.sh"

build_of() {  # target -> program build folder
    case "$1" in x64) echo "$win64_build" ;; x86) echo "$win32_build" ;; esac
}

missing=()
for target in "${targets[@]}"; do
    dir="$(build_of "$target")"
    [ -f "$dir/framewright.exe" ] && continue
    case "$dir" in
        "$(realpath -m "$root/build/win64")") missing+=(win64) ;;
        "$(realpath -m "$root/build/win32")") missing+=(win32) ;;
        *) echo "build-installer: $dir/framewright.exe is not built" >&2; exit 1 ;;
    esac
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
# Sandboxes and tests may ask for the installer at the same time.
exec 8>"$out_dir/.build.lock"
flock 8

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
    local inputs=("$nsi" "$help_pdf" "$data_files" "$data" "$root/scripts/build-installer.sh")
    # Which program it carries, by content: another build folder may hold an
    # older framewright.exe than the installer, and still be another program.
    local carries
    carries="$(printf 'build %s\nprogram %s\n' "$program_dir" "$(sha256sum <"$program_dir/framewright.exe" | cut -d' ' -f1)")"
    if [ "$force" = 0 ] && [ -f "$setup" ] && [ "$(cat "$setup.carries" 2>/dev/null)" = "$carries" ] &&
        [ -z "$(find "${inputs[@]}" -newer "$setup" -print -quit)" ]; then
        return
    fi
    # makensis writes next to the target; a failed build leaves no installer.
    rm -f "$setup" "$setup.carries"
    makensis -V2 -INPUTCHARSET UTF8 \
        "-DTARGET=$target" "-DBUILD_DIR=$program_dir" "-DHELP_PDF=$help_pdf" \
        "-DDATA_DIR=$data" "-DDATA_FILES=$data_files" "-DVERSION=$version" \
        "-DOUTFILE=$setup.part" "$nsi"
    mv "$setup.part" "$setup"
    printf '%s\n' "$carries" >"$setup.carries"
    echo "build-installer: $setup ($(stat -c %s "$setup") bytes, from $program_dir)"
}

for target in "${targets[@]}"; do
    build_one "$target" "$(build_of "$target")"
done

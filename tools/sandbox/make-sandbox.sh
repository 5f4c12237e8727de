#!/usr/bin/env bash
# Makes a throw-away 64-bit Wine prefix holding a stand-in game installation,
# a user's game folder and the program, installed by its own 64-bit installer
# (Framewright-Setup-x64.exe /S) with the settings key that installer makes.
# A prepared template prefix (build/wine-template) is copied, so a sandbox
# takes a second instead of the ten a fresh prefix needs; the installer runs
# once per installer build in a copy of the template, and sandboxes are copied
# from that copy, since running it costs more than the rest of a sandbox.
#
# usage: make-sandbox.sh DIR [options]      (make-sandbox.sh --help)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
win64_build="${FW_WIN64_BUILD:-$root/build/win64}"
# The installers of another build than build/win64 lie in that build's own
# folder (as scripts/build-installer.sh puts them).
installer_dir="${FW_INSTALLER_DIR:-}"
if [ -z "$installer_dir" ]; then
    installer_dir="$root/build/installer"
    [ "$(realpath -m "$win64_build")" = "$(realpath -m "$root/build/win64")" ] || installer_dir="$win64_build/installer"
fi
setup="$installer_dir/Framewright-Setup-x64.exe"
template="${FW_WINE_TEMPLATE:-$root/build/wine-template}"
cache="${FW_SANDBOX_CACHE:-$root/build/sandbox-cache}"
mingw=x86_64-w64-mingw32
# The system's Python starts at once; a version manager's shim can take seconds.
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
# Bump when the template's recipe changes, so old templates are remade.
template_recipe=2
# The same for the installed copies of the template.
installed_recipe=1
# Where the 64-bit installer puts the program ($PROGRAMFILES64). The folder
# is not given with /D=: Wine quotes an argument holding a blank, and the
# installer takes /D= only unquoted.
program_dir_win='C:\Program Files\Brimvale\Framewright\'

usage() {
    cat <<'EOF'
usage: make-sandbox.sh DIR [options]
  --winver winxp64|vista|win7|win10   Windows version the prefix reports (win7)
  --no-settings-key                   no HKLM\Software\Brimvale\Tallyrun (32-bit view): the
                                      installer's key is removed again, as by a user
  --settings NAME=VALUE               a REG_SZ value in the settings key (repeatable),
                                      written after the installation
  --no-game                           no game key in the registry
  --no-installdir                     game key without "InstallDir"
  --game-version TEXT|none|nofileversion
                                      FileVersion of CrySystem.dll ("1, 1, 1, 6156");
                                      none: no version information at all;
                                      nofileversion: version information without FileVersion
  --bin32-only | --bin64-only         only one of the game's executable folders
  --desktop WxH                       run programs in a Wine virtual desktop of that size
  --gamesim-fault KEY=VALUE           a line of gamesim.ini beside each stand-in game (repeatable)
  --no-program                        do not install the program (no installer run, no
                                      program folder; the settings key is still made)
  --replace                           remove DIR first when it exists
  --regedit                           import the registry with "wine regedit /S" (slower;
                                      by default it is written into the prefix's files)
The program is installed by FW_INSTALLER_DIR/Framewright-Setup-x64.exe into
"C:\Program Files\Brimvale\Framewright\" (sandbox.env names the folder); that
installer must carry FW_WIN64_BUILD/framewright.exe (scripts/build-installer.sh x64
builds it so). Without a built framewright.exe no program is installed.
Environment: FW_WIN64_BUILD (build/win64), FW_INSTALLER_DIR (build/installer, or
FW_WIN64_BUILD/installer for another build), FW_WINE_TEMPLATE (build/wine-template),
FW_SANDBOX_CACHE (build/sandbox-cache).
EOF
}

die() {
    echo "make-sandbox: $*" >&2
    exit 2
}

# ---------------------------------------------------------------- options
[ $# -ge 1 ] || { usage >&2; exit 2; }
case "$1" in -h | --help) usage; exit 0 ;; esac
dir="$1"
shift
winver=win7
settings_key=1
settings=()
game_key=1
installdir=1
game_version="1, 1, 1, 6156"
bin32=1 bin64=1
desktop=""
faults=()
program=1
replace=0
use_regedit=0
while [ $# -gt 0 ]; do
    opt="$1"
    shift
    need() { [ $# -ge 1 ] || die "$opt needs a value"; }
    case "$opt" in
        --winver)
            need "$@"; winver="$1"; shift
            case "$winver" in winxp64 | vista | win7 | win10) ;; *) die "unknown --winver $winver" ;; esac ;;
        --no-settings-key) settings_key=0 ;;
        --settings)
            need "$@"
            [[ "$1" == *=* ]] || die "--settings needs NAME=VALUE"
            settings+=("$1"); shift ;;
        --no-game) game_key=0 ;;
        --no-installdir) installdir=0 ;;
        --game-version) need "$@"; game_version="$1"; shift ;;
        --bin32-only) bin32=1 bin64=0 ;;
        --bin64-only) bin32=0 bin64=1 ;;
        --desktop)
            need "$@"; desktop="$1"; shift
            [[ "$desktop" =~ ^[0-9]+x[0-9]+$ ]] || die "--desktop needs WxH"
            ;;
        --gamesim-fault)
            need "$@"
            [[ "$1" == *=* ]] || die "--gamesim-fault needs KEY=VALUE"
            faults+=("$1"); shift ;;
        --no-program) program=0 ;;
        --replace) replace=1 ;;
        --regedit) use_regedit=1 ;;
        -h | --help) usage; exit 0 ;;
        *) die "unknown option $opt" ;;
    esac
done
[ "$settings_key" = 1 ] || [ ${#settings[@]} -eq 0 ] || die "--settings and --no-settings-key exclude each other"

mkdir -p "$(dirname "$dir")"
dir="$(cd "$(dirname "$dir")" && pwd)/$(basename "$dir")"
if [ -e "$dir" ]; then
    if [ "$replace" = 1 ]; then
        if [ -d "$dir/prefix" ]; then
            WINEPREFIX="$dir/prefix" wineserver -k 2>/dev/null || true
        fi
        rm -rf "$dir"
    elif [ -n "$(ls -A "$dir")" ]; then
        die "$dir exists and is not empty (use --replace)"
    fi
fi
mkdir -p "$dir" "$cache"

# Everything Wine does here runs without a display and with quiet logs.
export WINEDEBUG=-all WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

# Whether the program is installed: a build without framewright.exe gets a
# sandbox without it (its tests skip), a build without its installer is a
# mistake to name.
install=0
if [ "$program" = 1 ]; then
    if [ ! -f "$win64_build/framewright.exe" ]; then
        echo "make-sandbox: $win64_build/framewright.exe not built; no program installed" >&2
    elif [ ! -f "$setup" ]; then
        die "no installer $setup (scripts/build-installer.sh x64 builds it from $win64_build)"
    else
        install=1
    fi
fi

in_prefix() {  # prefix, a C:\ path -> its place in the prefix
    local p="${2#C:\\}"
    p="${p//\\//}"
    printf '%s/drive_c/%s' "$1" "${p%/}"
}

# ---------------------------------------------------------------- template
# What a template was made by; asked once, as each "wine --version" costs time.
template_stamp="$(printf 'recipe %s\nwine %s\nuser %s' "$template_recipe" "$(wine --version 2>/dev/null)" "$(id -un)")"

make_template() {
    local new="$template.new.$$"
    rm -rf "$new"
    echo "make-sandbox: preparing the Wine template $template (once per machine)" >&2
    WINEPREFIX="$new" WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$new" wineserver -w
    # Wine links the user's shell folders to the Unix home; a sandbox must
    # never write there, so they become plain folders inside the prefix.
    local profile link
    for profile in "$new"/drive_c/users/*/; do
        for link in "$profile"*; do
            if [ -L "$link" ]; then
                rm "$link"
                mkdir "$link"
            fi
        done
    done
    printf '%s\n' "$template_stamp" >"$new/.fw-template"
    rm -rf "$template"
    mv "$new" "$template"
}

ensure_template() {
    exec 9>"$template.lock"
    flock 9
    if [ ! -f "$template/.fw-template" ] || [ "$(cat "$template/.fw-template")" != "$template_stamp" ]; then
        make_template
    fi
}

# Wine's own binaries (nine tenths of a prefix's 700 MB) are shared with the
# template through hard links: nothing in a sandbox writes into C:\windows,
# and a prefix made by the same Wine is never updated in place. Every other
# file is a real copy. FW_SANDBOX_COPY=full copies everything.
clone_template() {  # template, new prefix
    local src="$1" dst="$2"
    if [ "${FW_SANDBOX_COPY:-}" = full ]; then
        cp -a --reflink=auto "$src" "$dst"
        return
    fi
    cp -al "$src" "$dst"
    (cd "$src" && find . -type f ! \( -path './drive_c/windows/*' \( -name '*.dll' -o -name '*.exe' \
        -o -name '*.nls' -o -name '*.sys' -o -name '*.drv' -o -name '*.ocx' -o -name '*.cpl' \
        -o -name '*.acm' -o -name '*.tlb' -o -name '*.ds' -o -name '*.msstyles' \) \) -print0 |
        xargs -0 cp -a --parents --remove-destination -t "$dst")
}

# ---------------------------------------------------------------- installed template
make_installed() {  # the installed template's folder
    local installed="$1" new="$1.new.$$" made
    # Copies are made only under the lock alone: any other is a leftover.
    rm -rf "$cache"/installed-*.new.*
    echo "make-sandbox: installing $setup into a copy of the template (once per installer build)" >&2
    clone_template "$template" "$new"
    rm -f "$new/.fw-template"
    # No Mono or Gecko, and no menu entries in the Unix home for the
    # installer's Start menu shortcuts.
    if ! WINEPREFIX="$new" WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" wine "$setup" /S; then
        WINEPREFIX="$new" wineserver -k 2>/dev/null || true
        rm -rf "$new"
        die "$setup /S failed"
    fi
    # The wineserver saves the registry as it ends; only then is the copy whole.
    WINEPREFIX="$new" wineserver -w
    if [ ! -f "$(in_prefix "$new" "$program_dir_win")/framewright.exe" ]; then
        rm -rf "$new"
        die "$setup put no framewright.exe into $program_dir_win"
    fi
    printf '%s\n' "$installed_stamp" >"$new/.fw-installed"
    mv "$new" "$installed"
    # The three installed copies used last stay (another build's sandboxes
    # may come next); older ones go.
    ls -t "$cache"/installed-*/.fw-installed | tail -n +4 | while IFS= read -r made; do
        rm -rf "$(dirname "$made")"
    done
}

ensure_installed() {  # -> the folder of the template with the program installed
    local installed
    installed="$cache/installed-$(printf '%s\n' "$installed_stamp" | sha1sum | cut -c1-16)"
    if [ ! -f "$installed/.fw-installed" ] || [ "$(cat "$installed/.fw-installed")" != "$installed_stamp" ]; then
        make_installed "$installed" >&2
    fi
    touch "$installed/.fw-installed"
    echo "$installed"
}

source_prefix="$template"
if [ "$install" = 1 ]; then
    # What an installed template was made from: the template and the installer.
    installed_stamp="$(printf '%s\ninstaller %s\nrecipe %s' "$template_stamp" \
        "$(sha256sum <"$setup" | cut -d' ' -f1)" "$installed_recipe")"
fi
ensure_template
if [ "$install" = 1 ]; then
    source_prefix="$(ensure_installed)"
    # The installer must carry this build's program, or the tests would try
    # another program than the one just built.
    cmp -s "$(in_prefix "$source_prefix" "$program_dir_win")/framewright.exe" "$win64_build/framewright.exe" ||
        die "$setup carries another framewright.exe than $win64_build (scripts/build-installer.sh x64 builds it from there)"
fi
# Others may copy at the same time; only a remake needs the lock alone.
flock -s 9
prefix="$dir/prefix"
clone_template "$source_prefix" "$prefix"
flock -u 9
exec 9>&-
rm -f "$prefix/.fw-template" "$prefix/.fw-installed"

user_dirs=("$prefix"/drive_c/users/*/)
user_name=""
for u in "${user_dirs[@]}"; do
    u="$(basename "$u")"
    [ "$u" = Public ] || user_name="$u"
done
[ -n "$user_name" ] || die "no user profile in the template"

# ---------------------------------------------------------------- paths
unix_of() { in_prefix "$prefix" "$1"; }
game_dir_win='C:\Program Files (x86)\Crytek\Crysis\'
documents_win="C:\\users\\$user_name\\Documents"
user_game_dir_win="$documents_win"'\My Games\Crysis\'
program_dir="$(unix_of "$program_dir_win")"
game_dir="$(unix_of "$game_dir_win")"
documents_dir="$(unix_of "$documents_win")"
user_game_dir="$(unix_of "$user_game_dir_win")"

# ---------------------------------------------------------------- CrySystem.dll
# Built on demand for each version text and kept, since the compilers take
# longer than the rest of the sandbox together.
version_numbers() {  # "1, 1, 1, 6156" -> "1,1,1,6156"; other texts -> "0,0,0,0"
    local t="${1// /}"
    if [[ "$t" =~ ^([0-9]+),([0-9]+),([0-9]+),([0-9]+)$ ]]; then
        echo "${BASH_REMATCH[1]},${BASH_REMATCH[2]},${BASH_REMATCH[3]},${BASH_REMATCH[4]}"
    else
        echo "0,0,0,0"
    fi
}

version_rc() {  # kind, text
    local kind="$1" text="${2//\"/\"\"}" numbers="0,0,0,0"
    [ "$kind" = text ] && numbers="$(version_numbers "$2")"
    cat <<EOF
#include <winver.h>
VS_VERSION_INFO VERSIONINFO
FILEVERSION $numbers
PRODUCTVERSION $numbers
FILEFLAGSMASK 0x3fL
FILEFLAGS 0x0L
FILEOS VOS_NT_WINDOWS32
FILETYPE VFT_DLL
FILESUBTYPE 0x0L
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904b0"
        BEGIN
            VALUE "CompanyName", "Framewright test sandbox"
            VALUE "FileDescription", "Stand-in for the game's system library"
EOF
    [ "$kind" = text ] && printf '            VALUE "FileVersion", "%s"\n' "$text"
    cat <<'EOF'
            VALUE "ProductName", "Framewright sandbox game"
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x409, 1200
    END
END
EOF
}

crysystem_dll() {  # version option -> path of the cached DLL
    local version="$1" kind=text key out work
    case "$version" in none | nofileversion) kind="$version" ;; esac
    key="$(printf '%s\n%s' "$kind" "$version" | sha1sum | cut -c1-16)"
    out="$cache/CrySystem-$key.dll"
    if [ ! -f "$out" ]; then
        work="$(mktemp -d "$cache/build.XXXXXX")"
        local objects=()
        if [ "$kind" != none ]; then
            version_rc "$kind" "$version" >"$work/version.rc"
            "$mingw-windres" -i "$work/version.rc" -o "$work/version.o"
            objects+=("$work/version.o")
        fi
        "$mingw-gcc" -shared -nostdlib -O2 -Wl,--entry,CrySystemStubEntry -Wl,--enable-stdcall-fixup \
            -o "$work/CrySystem.dll" "$here/crysystem_stub.c" "${objects[@]}"
        mv "$work/CrySystem.dll" "$out"
        rm -rf "$work"
    fi
    echo "$out"
}

# ---------------------------------------------------------------- game files
fixture="$here/fixture"
gamesim_exe="$win64_build/tools/gamesim/gamesim.exe"
gamesim_installed=0
[ -f "$gamesim_exe" ] && gamesim_installed=1
[ "$gamesim_installed" = 1 ] || echo "make-sandbox: $gamesim_exe not built; Crysis.exe is a placeholder" >&2
dll="$(crysystem_dll "$game_version")"

mkdir -p "$game_dir"
cp -r "$fixture/game/." "$game_dir/"
mkdir -p "$game_dir/Game/Levels/core" "$game_dir/Game/Levels/harbor"
for bits in 32 64; do
    wanted="$bin32"
    [ "$bits" = 32 ] || wanted="$bin64"
    [ "$wanted" = 1 ] || continue
    bin="$game_dir/Bin$bits"
    mkdir -p "$bin"
    # The 64-bit stand-in serves both folders: 32-bit programs cannot run here.
    if [ "$gamesim_installed" = 1 ]; then
        cp "$gamesim_exe" "$bin/Crysis.exe"
    else
        printf 'placeholder: the stand-in game was not built\r\n' >"$bin/Crysis.exe"
    fi
    cp "$dll" "$bin/CrySystem.dll"
    if [ ${#faults[@]} -gt 0 ]; then
        printf '%s\r\n' "${faults[@]}" >"$bin/gamesim.ini"
    fi
done

mkdir -p "$user_game_dir"
cp -r "$fixture/user/." "$user_game_dir/"

# ---------------------------------------------------------------- program
# The program's folder, settings key, Start menu and uninstall entry came
# with the installed template; only the registry options change them below.
program_installed="$install"

# ---------------------------------------------------------------- registry
emit() { printf '%s\0' "$@"; }  # root, key, value name, kind (sz, dword, key, delete), value

registry_entries() {
    emit HKCU 'Software\Wine' Version sz "$winver"
    # No Mono, Gecko or menu entries; a crash ends the program without a dialog.
    emit HKCU 'Software\Wine\DllOverrides' mscoree sz ""
    emit HKCU 'Software\Wine\DllOverrides' mshtml sz ""
    emit HKCU 'Software\Wine\DllOverrides' winemenubuilder.exe sz ""
    emit HKCU 'Software\Wine\WineDbg' ShowCrashDialog dword 0
    if [ -n "$desktop" ]; then
        # Every program of the prefix (the game it starts, the UI driver)
        # joins the same virtual desktop.
        emit HKCU 'Software\Wine\Explorer' Desktop sz fw
        emit HKCU 'Software\Wine\Explorer\Desktops' fw sz "$desktop"
    fi
    if [ "$settings_key" = 0 ] && [ "$install" = 1 ]; then
        # The installer made it; the user took it away.
        emit HKLM 'Software\Wow6432Node\Brimvale\Tallyrun' "" delete ""
    fi
    if [ "$settings_key" = 1 ]; then
        emit HKLM 'Software\Wow6432Node\Brimvale\Tallyrun' "" key ""
        local pair
        for pair in ${settings[@]+"${settings[@]}"}; do
            emit HKLM 'Software\Wow6432Node\Brimvale\Tallyrun' "${pair%%=*}" sz "${pair#*=}"
        done
    fi
    if [ "$game_key" = 1 ]; then
        emit HKLM 'Software\Wow6432Node\Crytek\Crysis' "" key ""
        [ "$installdir" = 1 ] && emit HKLM 'Software\Wow6432Node\Crytek\Crysis' InstallDir sz "$game_dir_win"
    fi
    return 0
}

# The keys go straight into the prefix's registry files, which the wineserver
# reads when it starts (none runs for the new prefix: the installer's had
# ended before its template was copied); --regedit imports them through
# "regedit /S" instead, which first boots Wine's services (several seconds).
if [ "$use_regedit" = 1 ]; then
    registry_entries | "$python" "$here/sandbox_registry.py" regedit >"$dir/sandbox.reg"
    (cd "$dir" && WINEPREFIX="$prefix" wine regedit /S sandbox.reg)
    WINEPREFIX="$prefix" wineserver -w
else
    registry_entries | "$python" "$here/sandbox_registry.py" prefix "$prefix"
fi

# ---------------------------------------------------------------- env file
quote() {
    local s="${1//\'/\'\\\'\'}"
    printf "'%s'" "$s"
}
{
    echo "# Made by tools/sandbox/make-sandbox.sh; shell-sourceable."
    for pair in \
        "FW_SANDBOX=$dir" \
        "WINEPREFIX=$prefix" \
        "FW_WINVER=$winver" \
        "FW_DESKTOP=$desktop" \
        "FW_PROGRAM_DIR_WIN=$program_dir_win" \
        "FW_PROGRAM_DIR=$program_dir" \
        "FW_PROGRAM_EXE_WIN=${program_dir_win}framewright.exe" \
        "FW_PROGRAM_EXE=$program_dir/framewright.exe" \
        "FW_PROGRAM_INSTALLED=$program_installed" \
        "FW_GAME_DIR_WIN=$game_dir_win" \
        "FW_GAME_DIR=$game_dir" \
        "FW_GAME_VERSION=$game_version" \
        "FW_GAMESIM_INSTALLED=$gamesim_installed" \
        "FW_DOCUMENTS_DIR_WIN=$documents_win" \
        "FW_DOCUMENTS_DIR=$documents_dir" \
        "FW_USER_GAME_DIR_WIN=$user_game_dir_win" \
        "FW_USER_GAME_DIR=$user_game_dir" \
        "FW_SETTINGS_KEY=$settings_key" \
        "FW_GAME_KEY=$game_key"; do
        printf '%s=%s\n' "${pair%%=*}" "$(quote "${pair#*=}")"
    done
} >"$dir/sandbox.env"
echo "$dir"

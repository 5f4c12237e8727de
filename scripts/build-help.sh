#!/usr/bin/env bash
# Builds the user manual docs/manual.ms into build/help/Help.pdf with groff's
# pdfroff: -ms with tbl, UTF-8 input, the contents moved to the front and the
# headings as PDF bookmarks. A Help.pdf newer than its sources is kept.
#
# usage: build-help.sh [--force] [--preview]
#   --force     build even when Help.pdf is up to date
#   --preview   also render every page as PNG into build/help/preview/,
#               to look at the layout without a PDF viewer
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out_dir="$root/build/help"
pdf="$out_dir/Help.pdf"
sources=("$root/docs/manual.ms" "$root/docs/manual-cover.tmac" "$root/scripts/build-help.sh")

force=0
preview=0
for arg in "$@"; do
    case "$arg" in
        --force) force=1 ;;
        --preview) preview=1 ;;
        *) echo "usage: build-help.sh [--force] [--preview]" >&2; exit 2 ;;
    esac
done

for tool in pdfroff gs; do
    command -v "$tool" >/dev/null || "$root/scripts/setup.sh"
done

# The version on the cover is the program's own file version.
version="$(sed -n 's/^set(FW_FILE_VERSION "\(.*\)")$/\1/p' "$root/CMakeLists.txt")"

mkdir -p "$out_dir"
if [ "$force" = 1 ] || [ ! -s "$pdf" ] || [ -n "$(find "${sources[@]}" -newer "$pdf" -print -quit)" ]; then
    work="$(mktemp -d "$out_dir/work.XXXXXX")"
    trap 'rm -rf "$work"' EXIT
    # pdfroff runs groff several times and leaves its passes in the temporary
    # folder; warnings of any pass would be lost in a pipe, so they are kept.
    (cd "$root/docs" && GROFF_TMPDIR="$work" TMPDIR="$work" \
        pdfroff -ms -mspdf -t -k -d "version=${version:-unknown}" \
        --stylesheet=manual-cover.tmac --pdf-output="$work/Help.pdf" manual.ms) 2>"$work/warnings.txt"
    if [ -s "$work/warnings.txt" ]; then
        echo "build-help: groff reported:" >&2
        cat "$work/warnings.txt" >&2
        exit 1
    fi
    mv "$work/Help.pdf" "$pdf"
    echo "build-help: $pdf"
fi

if [ "$preview" = 1 ]; then
    rm -rf "$out_dir/preview"
    mkdir -p "$out_dir/preview"
    gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r60 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
        -sOutputFile="$out_dir/preview/page-%02d.png" "$pdf"
    echo "build-help: pages in $out_dir/preview/"
fi

#!/bin/bash
# Installs the build into a temporary prefix and checks the tree: every file in its place and
# nothing else, the programs run, the desktop entry and the manual pages pass their linters, the
# document type is registered for *.cvn, the icons have their sizes, and bash completes.
# Usage: install_tree_test.sh BUILD_DIR GUI(ON|OFF)
set -euo pipefail
build=$1
gui=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
lint_skipped() { echo "skipped: $1 is not installed"; }

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(bin/corvina-cli share/bash-completion/completions/corvina-cli share/man/man1/corvina-cli.1.gz)
if [ "$gui" = ON ]; then
    expected+=(bin/corvina share/applications/corvina.desktop share/mime/packages/corvina.xml
               share/man/man1/corvina.1.gz share/icons/hicolor/scalable/apps/corvina.svg)
    sizes=(16 22 24 32 48 64 128 256)
    for size in "${sizes[@]}"; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/corvina.png")
    done
fi
installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || fail "installed files differ: $(diff <(echo "$wanted") <(echo "$installed") | grep '^[<>]' | tr '\n' ' ')"

"$prefix/bin/corvina-cli" --help | grep -q '^  export ' || fail "corvina-cli --help does not list export"
[ -x "$prefix/bin/corvina-cli" ] || fail "corvina-cli is not executable"

# Manual pages: no warnings from man, and a NAME line that whatis can index.
for page in "$prefix"/share/man/man1/*.1.gz; do
    if command -v man >/dev/null && command -v lexgrog >/dev/null; then
        warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man warns about $(basename "$page"): $warnings"
        lexgrog "$page" >/dev/null || fail "lexgrog finds no NAME line in $(basename "$page")"
    else
        lint_skipped man-db
    fi
done

# Completion: the commands, an export option, folders after --c.
mkdir "$prefix/folder"
complete_words() {
    (cd "$prefix" && bash -c '. share/bash-completion/completions/corvina-cli
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _corvina_cli; echo "${COMPREPLY[*]}"' complete "$@")
}
[ "$(complete_words corvina-cli ex)" = export ] || fail "bash does not complete the export command"
[ "$(complete_words corvina-cli export n.cvn --fl)" = --float-tables ] || fail "bash does not complete --float-tables"
[ "$(complete_words corvina-cli export n.cvn --c fo)" = folder ] || fail "bash does not complete a folder after --c"

if [ "$gui" = ON ]; then
    desktop=$prefix/share/applications/corvina.desktop
    if command -v desktop-file-validate >/dev/null; then
        messages=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $messages"
        [ -z "$messages" ] || fail "desktop-file-validate: $messages"
    else
        lint_skipped desktop-file-utils
    fi
    grep -qx 'MimeType=application/x-corvina-network;' "$desktop" || fail "the desktop entry claims no .cvn type"
    grep -qx 'Icon=corvina' "$desktop" || fail "the desktop entry names another icon"
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$prefix/bin/$exec_name" ] || fail "the desktop entry runs $exec_name, which was not installed"

    # The document type: its name and the *.cvn glob, as the desktop's MIME database sees them.
    if command -v update-mime-database >/dev/null; then
        update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database rejects corvina.xml"
        grep -qx '50:application/x-corvina-network:\*.cvn' "$prefix/share/mime/globs2" ||
            fail "the MIME database does not map *.cvn to application/x-corvina-network"
    else
        lint_skipped shared-mime-info
    fi

    # Each PNG is as wide and as high as the folder it lies in says.
    for size in "${sizes[@]}"; do
        png="$prefix/share/icons/hicolor/${size}x${size}/apps/corvina.png"
        dimensions=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')
        [ "$dimensions" = "${size}x${size}" ] || fail "$png is $dimensions"
    done
    grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/corvina.svg" || fail "the scalable icon is no SVG"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install tree complete: $(echo "$installed" | wc -l) files"

#!/usr/bin/env bash
# Checks a built fenmark .deb: its control fields, its contents list, and the
# installed tree unpacked into a scratch folder (desktop entry, icons, the
# help where the program looks for it and every file of the repository's
# help/ folder, the table of useful lives, the command-line tool reading the
# sample register and searching the table). Prints
# every fault it finds and exits 1 if there was any.
#
#   bash packaging/check-package.sh build/package/fenmark_4.0.0-1_amd64.deb
set -uo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 PACKAGE.deb" >&2
    exit 2
fi
deb=$1
faults=0
fault() {
    echo "package check: $*" >&2
    faults=$((faults + 1))
}

# --- control fields -------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1" 2>/dev/null; }

[ "$(field Package)" = fenmark ] || fault "Package is '$(field Package)', not 'fenmark'"
[ -n "$(field Version)" ] || fault "no Version"
[ -n "$(field Architecture)" ] || fault "no Architecture"
case "$(field Section)" in
    utils | misc) ;;
    *) fault "Section is '$(field Section)', not utils or misc" ;;
esac
maintainer=$(field Maintainer)
[[ $maintainer =~ ^[^\<]+\ \<[^\>]+@[^\>]+\>$ ]] ||
    fault "Maintainer '$maintainer' is not 'Name <address>'"
description=$(field Description)
grep -qi 'depreciable' <<<"$description" || fault "Description has no English text"
grep -q '減価償却資産' <<<"$description" || fault "Description has no Japanese text"
[ "$(wc -l <<<"$description")" -ge 3 ] || fault "Description has no extended text"
! grep -Eq '&(apos|quot|amp|lt|gt);' <<<"$description" ||
    fault "Description holds markup entities instead of characters"

# Each dependency must be a Debian package name standing alone in the list
# (an alternative or a version after it is fine), not a substring of another.
depends=$(field Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libstdc++6 libc6 \
    fonts-ipafont-mincho fonts-ipafont-gothic fonts-noto-cjk; do
    name=${p//+/\\+}
    grep -Eq "(^|[,|] *)$name( *\(|,|$| *\|)" <<<"$depends" ||
        fault "Depends lacks $p (Depends: $depends)"
done

# --- contents list --------------------------------------------------------
listing=$(dpkg-deb -c "$deb") || fault "dpkg-deb -c cannot read the package"
entry() { awk -v p="./$1" '$NF == p { print $1 }' <<<"$listing"; }

expected=(
    usr/bin/fenmark
    usr/bin/fenmark-cli
    usr/bin/fenmark-print
    usr/share/applications/fenmark.desktop
    usr/share/icons/hicolor/scalable/apps/fenmark.svg
    usr/share/fenmark/help/index.html
    usr/share/fenmark/examples/sample.dat
    usr/share/fenmark/data/useful_life.tsv
)
sizes=(16 32 48 64 128 256)
for s in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${s}x${s}/apps/fenmark.png"); done
# Every page, picture and stylesheet of the source help folder travels too.
help_source=$(cd "$(dirname "$0")/../help" && pwd)
while IFS= read -r page; do
    expected+=("usr/share/fenmark/help/$page")
done < <(cd "$help_source" && find . -type f -printf '%P\n' | sort)

for path in "${expected[@]}"; do
    mode=$(entry "$path")
    if [ -z "$mode" ]; then
        fault "missing /$path"
    elif [ "${mode:0:1}" != - ]; then
        fault "/$path is not a plain file ($mode)"
    fi
done
for exe in usr/bin/fenmark usr/bin/fenmark-cli usr/bin/fenmark-print; do
    [ "$(entry "$exe")" = -rwxr-xr-x ] || fault "/$exe is not mode 755 ($(entry "$exe"))"
done
outside=$(awk '{ print $NF }' <<<"$listing" | grep -Ev '^\./(usr(/.*)?)?$' || true)
[ -z "$outside" ] || fault "files outside /usr: $outside"
grep -q '^\./usr/local' <<<"$(awk '{ print $NF }' <<<"$listing")" && fault "files under /usr/local"

# --- the unpacked tree ----------------------------------------------------
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
if ! dpkg-deb -x "$deb" "$root"; then
    fault "dpkg-deb -x cannot unpack the package"
    echo "package check: $faults fault(s) in $deb" >&2
    exit 1
fi

for exe in fenmark fenmark-cli fenmark-print; do
    bin=$root/usr/bin/$exe
    [ -f "$bin" ] || continue
    file -b "$bin" | grep -q '^ELF .*executable' || fault "/usr/bin/$exe is not an ELF executable"
    missing_libs=$(ldd "$bin" 2>&1 | grep 'not found' || true)
    [ -z "$missing_libs" ] || fault "/usr/bin/$exe needs libraries not on this machine: $missing_libs"
done
# The tables of the command-line tool start without Qt; only fenmark-print loads it.
if [ -f "$root/usr/bin/fenmark-cli" ] && ldd "$root/usr/bin/fenmark-cli" | grep -qi 'libQt'; then
    fault "/usr/bin/fenmark-cli links Qt"
fi

desktop=$root/usr/share/applications/fenmark.desktop
if [ -f "$desktop" ]; then
    for line in 'Type=Application' 'Name=Fenmark' 'Name[ja]=固定資産台帳' \
        'GenericName[ja]=減価償却資産台帳' 'Categories=Office;Finance;' 'Exec=fenmark' \
        'Icon=fenmark' 'Terminal=false'; do
        grep -qxF "$line" "$desktop" || fault "fenmark.desktop lacks the line '$line'"
    done
    if command -v desktop-file-validate >/dev/null; then
        report=$(desktop-file-validate "$desktop" 2>&1) ||
            fault "desktop-file-validate rejects fenmark.desktop: $report"
    fi
    # The entry's command must be the installed executable on PATH.
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$root/usr/bin/$exec_name" ] || fault "Exec=$exec_name is not in /usr/bin"
fi

for s in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${s}x${s}/apps/fenmark.png
    [ -f "$png" ] || continue
    file -b "$png" | grep -q "^PNG image data, $s x $s," ||
        fault "${s}x${s}/apps/fenmark.png is not a $s x $s PNG: $(file -b "$png")"
done
svg=$root/usr/share/icons/hicolor/scalable/apps/fenmark.svg
if [ -f "$svg" ]; then
    file -b "$svg" | grep -q 'SVG' || fault "scalable/apps/fenmark.svg is not SVG: $(file -b "$svg")"
fi

# The packaged table of useful lives is the repository's, byte for byte.
table_source=$(cd "$(dirname "$0")/../data" && pwd)/useful_life.tsv
if [ -f "$root/usr/share/fenmark/data/useful_life.tsv" ]; then
    cmp -s "$table_source" "$root/usr/share/fenmark/data/useful_life.tsv" ||
        fault "/usr/share/fenmark/data/useful_life.tsv differs from data/useful_life.tsv"
fi

# platform/help.cpp looks in <program folder>/help, then
# <program folder>/../share/fenmark/help: the second must hold the index.
[ -f "$root/usr/bin/../share/fenmark/help/index.html" ] ||
    fault "the help index is not at <program folder>/../share/fenmark/help/index.html"
[ ! -e "$root/usr/bin/help" ] || fault "/usr/bin/help exists: help belongs under /usr/share"

cli=$root/usr/bin/fenmark-cli
sample=$root/usr/share/fenmark/examples/sample.dat
if [ -x "$cli" ] && [ -f "$sample" ]; then
    if listing_tsv=$("$cli" list "$sample" --format tsv 2>&1); then
        rows=$(($(wc -l <<<"$listing_tsv") - 1))
        [ "$rows" -eq 14 ] || fault "fenmark-cli lists $rows assets of the sample, not 14"
        grep -q '店舗兼住宅' <<<"$listing_tsv" || fault "fenmark-cli list does not show 店舗兼住宅"
    else
        fault "the packaged fenmark-cli cannot list the packaged sample: $listing_tsv"
    fi
    # life finds the table in <program folder>/../share/fenmark/data.
    if laptop=$("$cli" life ノートパソコン --format tsv 2>&1); then
        grep -q $'^1-345\t.*\t4\t$' <<<"$laptop" ||
            fault "fenmark-cli life ノートパソコン does not find 1-345 (4 years): $laptop"
    else
        fault "the packaged fenmark-cli cannot read the packaged table of useful lives: $laptop"
    fi
    # print goes through the packaged fenmark-print beside it.
    if ! printed=$(QT_QPA_PLATFORM=offscreen "$cli" print ledger "$sample" --pdf "$root/ledger.pdf" 2>&1) ||
        [ "$(head -c 5 "$root/ledger.pdf" 2>/dev/null)" != "%PDF-" ]; then
        fault "the packaged fenmark-cli cannot print the packaged sample: $printed"
    fi
fi

if [ "$faults" -ne 0 ]; then
    echo "package check: $faults fault(s) in $deb" >&2
    exit 1
fi
echo "package check: $deb is complete"

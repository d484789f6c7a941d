#!/usr/bin/env bash
# Builds the release program, packs it as a Debian package and checks the
# package's control fields and contents. Leaves the package in build/package/.
# CI runs it as the package test: it exits non-zero with a message naming
# each fault.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Packing and checking: dpkg-shlibdeps (dpkg-dev) names the library
# packages, fakeroot gives the files root ownership, file and
# desktop-file-validate check what was packed.
packaging_tools=(dpkg-dev fakeroot file desktop-file-utils)
missing=()
for p in "${packaging_tools[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFENMARK_BUILD_GUI=ON \
    -DFENMARK_BUILD_TESTS=OFF -DFENMARK_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

rm -f "$build"/fenmark_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/fenmark_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "package: cpack made no single fenmark_*.deb in $build" >&2
    exit 1
fi
deb=${debs[0]}

dpkg-deb -I "$deb"
dpkg-deb -c "$deb"
bash packaging/check-package.sh "$deb"

# The check must also fail: a copy of the package without its desktop entry
# has to be rejected, or the check above proved nothing.
broken=$(mktemp -d)
trap 'rm -rf "$broken"' EXIT
dpkg-deb -R "$deb" "$broken/tree"
rm "$broken/tree/usr/share/applications/fenmark.desktop"
fakeroot dpkg-deb --build "$broken/tree" "$broken/broken.deb" >/dev/null
if bash packaging/check-package.sh "$broken/broken.deb" 2>"$broken/check.log"; then
    echo "package: the check accepted a package without its desktop entry" >&2
    exit 1
fi
if ! grep -q 'missing /usr/share/applications/fenmark.desktop' "$broken/check.log"; then
    echo "package: the check rejected the broken package for another reason:" >&2
    cat "$broken/check.log" >&2
    exit 1
fi

echo "package: $deb"

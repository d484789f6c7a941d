#!/usr/bin/env bash
# Redraws the PNG icon sizes from fenmark.svg. The PNGs are kept in the
# repository so that building and packaging need no SVG converter; run this
# after changing the SVG (needs rsvg-convert, Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" fenmark.svg -o "fenmark-$size.png"
done

#!/usr/bin/env bash
# Writes the expected pixels of the BMP reader tests from the reference renderings (PNG) of the
# BMP conformance corpus, with ImageMagick:
#   bmpsuite-expected.txt  per reference picture, per row (top first): a hash of the row's RGB bytes,
#                          the sums of its red, green and blue, and where the picture has fully
#                          transparent pixels, a hex bit mask of them (first pixel = highest bit);
#                          transparent pixels count as black in hash and sums
#   <name>.rgb             all pixels of a few references as raw RGB, top row first
# Usage: make-bmp-expectations.sh [corpus folder]   (default: tests/pictures/bmpsuite)
# Run it again only when the corpus changes; the output is checked in.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
corpus="${1:-$root/tests/pictures/bmpsuite}"
refs="$corpus/ref"
[ -d "$refs" ] || { echo "no reference folder: $refs" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 1; }

out="$here/bmpsuite-expected.txt"
tmp="$(mktemp)"
trap 'rm -f "$tmp"' EXIT
{
    echo "# Expected pixels of the BMP conformance corpus, made by make-bmp-expectations.sh. Do not edit."
    echo "# ref <png> <width> <height> <transparent pixels>, then per row: hash sumR sumG sumB [mask]"
    echo "# hash: h = (h * 256 + byte) mod 2147483647 over R, G, B of each pixel, starting at 0."
    for png in "$refs"/*.png; do
        name="$(basename "$png")"
        read -r width height < <(convert "$png" -format '%w %h\n' info:)
        convert "$png" -depth 8 rgba:- | od -An -v -tu1 -w$((width * 4)) |
            awk -v name="$name" -v w="$width" -v h="$height" '
            {
                hash = 0; sr = 0; sg = 0; sb = 0; mask = ""; nibble = 0
                for (x = 0; x < w; x++) {
                    r = $(4 * x + 1); g = $(4 * x + 2); b = $(4 * x + 3); a = $(4 * x + 4)
                    if (a == 0) { r = 0; g = 0; b = 0; nibble += 2 ^ (3 - x % 4); clear++ }
                    hash = (hash * 256 + r) % 2147483647
                    hash = (hash * 256 + g) % 2147483647
                    hash = (hash * 256 + b) % 2147483647
                    sr += r; sg += g; sb += b
                    if (x % 4 == 3 || x == w - 1) { mask = mask sprintf("%x", nibble); nibble = 0 }
                }
                rows[NR] = sprintf("%08x %d %d %d", hash, sr, sg, sb)
                masks[NR] = mask
            }
            END {
                if (NR != h) { print "wrong row count for " name > "/dev/stderr"; exit 1 }
                printf "ref %s %d %d %d\n", name, w, h, clear
                for (y = 1; y <= NR; y++) print rows[y] (clear > 0 ? " " masks[y] : "")
            }'
    done
} >"$tmp"
chmod 644 "$tmp"
mv "$tmp" "$out"
trap - EXIT

for name in pal8 rgb24; do
    convert "$refs/$name.png" -depth 8 rgb:"$here/$name.rgb"
done
echo "wrote $out, $here/pal8.rgb and $here/rgb24.rgb"

# ImageMagick's own 256-colour run-length bitmap of an odd width (its runs pass the row end), and
# its pixels as ImageMagick reads them back.
convert -size 37x9 gradient:red-blue -colors 200 -type Palette -compress RLE BMP3:"$here/imagemagick-rle8.bmp"
convert "$here/imagemagick-rle8.bmp" -depth 8 rgb:"$here/imagemagick-rle8.rgb"

#!/usr/bin/env bash
# Makes the small test pictures of the picture library with ImageMagick, next to this script, and
# the expected pixels of each one as raw 8-bit RGB (.rgb) or RGBA (.rgba), top row first.
# The pictures are checked in; run this again only to change them. fuzz-regressions/ holds inputs
# that fuzzing found; this script leaves them alone.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# Every output without time stamps or comments, so that a new run gives the same bytes.
clean=(-strip -define png:exclude-chunks=date,time)

# Source: 64 x 48, a colour gradient darkened towards the left, with a disc, a box and a triangle.
convert -size 64x48 gradient:'#ff2000-#0030ff' \( -size 64x48 gradient:'#000000-#ffffff' -rotate 90 \) \
    -compose multiply -composite \
    -fill '#20c040' -draw 'circle 20,20 20,8' \
    -fill yellow -draw 'rectangle 38,6 58,22' \
    -fill white -draw 'polygon 36,44 60,44 48,28' \
    -alpha off -depth 8 "${clean[@]}" PNG24:source.png

# Lossless pictures of the source, and its pixels.
cp source.png "$out/picture.png"
convert source.png -depth 8 rgb:"$out/picture.rgb"
# TGA: ImageMagick writes the rows in the order it holds them and only records that order, so the
# bottom-up file is made from the flipped source. The RLE one is top-down.
convert source.png "${clean[@]}" -flip -orient BottomLeft -type TrueColor -compress None "$out/picture.tga"
convert source.png "${clean[@]}" -orient TopLeft -type TrueColor -compress RLE "$out/picture-rle.tga"
for tga in picture.tga picture-rle.tga; do
    convert "$out/$tga" -auto-orient rgb:- | cmp -s - "$out/picture.rgb" || { echo "$tga: wrong pixels" >&2; exit 1; }
done
convert source.png "${clean[@]}" -type TrueColor "$out/picture24.pcx"

# Palette pictures: their pixels are what ImageMagick reads back from them.
convert source.png "${clean[@]}" +dither -colors 200 -type Palette "$out/picture8.pcx"
convert "$out/picture8.pcx" -depth 8 rgb:"$out/picture8.rgb"
# ImageMagick writes a 1-bit PCX only from a 2-colour palette picture, which a BMP gives it.
convert source.png "${clean[@]}" -monochrome BMP3:mono.bmp
convert mono.bmp "${clean[@]}" "$out/picture1.pcx"
convert "$out/picture1.pcx" -depth 8 rgb:"$out/picture1.rgb"

# GIF of two frames: the first is the source, the second the source turned upside down. Only the
# first frame is decoded.
convert source.png +dither -colors 128 frame0.gif
convert source.png -flip -negate +dither -colors 64 frame1.gif
convert -delay 50 frame0.gif frame1.gif -loop 0 "${clean[@]}" "$out/picture.gif"
convert "$out/picture.gif[0]" -depth 8 rgb:"$out/picture-gif.rgb"
# The first frame again, interlaced: the same pixels.
convert frame0.gif "${clean[@]}" -interlace GIF "$out/picture-interlaced.gif"

# GIF of a 4 x 2 screen with one 3 x 1 frame at (1, 1): red, transparent, red.
convert -size 3x1 xc:red -fill lime -draw 'point 1,0' -transparent lime "${clean[@]}" -repage 4x2+1+1 \
    "$out/transparent.gif"

# PNG with an alpha channel, built from raw RGBA: 16 x 8, opaque left half, half transparent red
# top right, fully transparent green bottom right.
for y in 0 1 2 3 4 5 6 7; do
    for x in 0 1 2 3 4 5 6 7; do printf '\x30\x80\xc0\xff'; done
    for x in 0 1 2 3 4 5 6 7; do
        if [ "$y" -lt 4 ]; then printf '\xff\x00\x00\x80'; else printf '\x00\xff\x00\x00'; fi
    done
done >alpha-in.rgba
convert -size 16x8 -depth 8 rgba:alpha-in.rgba "${clean[@]}" PNG32:"$out/alpha.png"
convert "$out/alpha.png" -depth 8 rgba:"$out/alpha.rgba"

# JPEG with 2 x 2 chroma subsampling. Lossy: tests compare it within a tolerance with the pixels
# ImageMagick decodes from it (another decoder: rounding and upsampling differ a little).
convert source.png "${clean[@]}" -quality 92 -sampling-factor 2x2 "$out/picture.jpg"
convert "$out/picture.jpg" -depth 8 rgb:"$out/picture-jpg.rgb"
# The source as a progressive JPEG, which ImageMagick decodes to the same pixels within the tolerance.
convert source.png "${clean[@]}" -quality 92 -sampling-factor 2x2 -interlace JPEG "$out/progressive.jpg"
convert "$out/progressive.jpg" -depth 8 rgb:"$out/progressive.rgb"
# A CMYK JPEG (Adobe's inverted inks) and a grey one, with the colours ImageMagick gives them.
convert source.png "${clean[@]}" -colorspace CMYK -quality 92 "$out/cmyk.jpg"
convert "$out/cmyk.jpg" -colorspace sRGB -depth 8 rgb:"$out/cmyk.rgb"
convert source.png "${clean[@]}" -colorspace Gray -quality 92 "$out/grey.jpg"
convert "$out/grey.jpg" -colorspace sRGB -type TrueColor -depth 8 rgb:"$out/grey.rgb"
# 4:2:2 of an odd width, 33 x 16: blue with a red last column, whose colour only the column itself gives.
convert -size 33x16 xc:blue -fill red -draw 'rectangle 32,0 32,15' "${clean[@]}" -quality 95 -sampling-factor 2x1 \
    "$out/odd-width-422.jpg"
convert "$out/odd-width-422.jpg" -depth 8 rgb:"$out/odd-width-422.rgb"
# The same JPEG under an upper-case extension, a PNG named .jpg, a JPEG cut after half of its
# bytes, a JPEG cut inside its headers, and a text file named .png.
cp "$out/picture.jpg" "$out/UPPER.JPG"
cp "$out/picture.png" "$out/png-inside.jpg"
size=$(stat -c %s "$out/picture.jpg")
head -c $((size / 2)) "$out/picture.jpg" >"$out/truncated.jpg"
head -c 100 "$out/picture.jpg" >"$out/truncated-header.jpg"
printf 'This is not a picture, only text.\n' >"$out/text.png"

ls -l "$out"

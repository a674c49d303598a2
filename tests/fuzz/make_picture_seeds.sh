#!/usr/bin/env bash
# Makes the seed corpora of the picture fuzz targets in tests/fixtures/fuzz/<target>/: a few tiny
# pictures of each format in the variants its reader treats apart (pixel formats, interlacing,
# compressions, orientations, odd headers), so the fuzzer starts from every branch it can reach
# from a valid file. Run it again after changing it; the files it makes are committed.
#
# Needs ImageMagick's convert (scripts/install-dependencies.sh) and python3. Every picture comes
# from the same small fractal, made with a fixed seed so the files come out the same each time.
set -euo pipefail
cd "$(dirname "$0")/../fixtures/fuzz"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seed=(-seed 4 -size 13x7 plasma:fractal)
# No dates, comments or profiles: they make a file larger and different on every run.
# make OPTION... OUTPUT
make() { convert "${seed[@]}" -strip "$@"; }

mkdir -p png_picture gif_picture tiff_picture bmp_picture

# PNG: each colour type at the depths libpng turns apart, interlacing, transparency.
png=(-define "png:exclude-chunks=date,time,bKGD")
make "${png[@]}" png24:png_picture/rgb-8.png
make "${png[@]}" png32:png_picture/rgba-8.png
make "${png[@]}" png48:png_picture/rgb-16.png
make "${png[@]}" -colors 12 png8:png_picture/palette-8bit.png
make "${png[@]}" -monochrome -define png:color-type=3 -define png:bit-depth=1 \
  png:png_picture/palette-1bit.png
make "${png[@]}" -colorspace gray -define png:color-type=0 -define png:bit-depth=2 \
  png:png_picture/gray-2bit.png
make "${png[@]}" -colorspace gray -alpha set -channel A -evaluate set 60% +channel \
  -define png:color-type=4 -define png:bit-depth=16 png:png_picture/gray-alpha-16.png
make "${png[@]}" -interlace PNG png24:png_picture/rgb-8-interlaced.png
make "${png[@]}" -colors 8 -transparent "$(convert "${seed[@]}" -colors 8 -format '%[pixel:p{0,0}]' info:)" \
  png8:png_picture/palette-transparent.png

# GIF: a plain and an interlaced frame, an animation, a frame partly off the screen and one
# without any colour table.
make gif_picture/plain.gif
make -interlace GIF gif_picture/interlaced.gif
convert "${seed[@]}" \( -seed 5 -size 13x7 plasma:fractal \) -strip -delay 10 gif_picture/animated.gif
make -colors 4 "$work/small.gif"
python3 - "$work/small.gif" gif_picture <<'PYTHON'
import struct
import sys

gif = bytearray(open(sys.argv[1], "rb").read())
folder = sys.argv[2]
# The logical screen is 13 x 7; a smaller one leaves the frame partly outside it.
off_screen = bytearray(gif)
off_screen[6:10] = struct.pack("<HH", 9, 5)
open(folder + "/frame-off-screen.gif", "wb").write(off_screen)
# Without its global colour table (flag bit 7 of byte 10, table right after the screen).
flags = gif[10]
table = 3 * 2 ** ((flags & 7) + 1) if flags & 0x80 else 0
no_table = gif[:10] + bytes([flags & 0x7F]) + gif[11:13] + gif[13 + table:]
open(folder + "/no-colour-table.gif", "wb").write(no_table)
PYTHON

# TIFF: strips and tiles, the compressions libtiff decodes itself, 1-bit, palette, CMYK,
# alpha, 16-bit samples and a bottom-up orientation.
make -depth 8 -compress None tiff_picture/rgb-strips.tif
make -depth 8 -compress LZW -define tiff:rows-per-strip=2 tiff_picture/rgb-lzw-strips.tif
make -depth 8 -compress Zip -define tiff:tile-geometry=16x16 tiff_picture/rgb-zip-tiled.tif
make -compress RLE -type Bilevel tiff_picture/bilevel-packbits.tif
make -depth 8 -compress None -colors 6 -type Palette tiff_picture/palette.tif
make -depth 8 -compress LZW -colorspace CMYK tiff_picture/cmyk-lzw.tif
make -depth 8 -compress None -alpha set -channel A -evaluate set 50% +channel tiff_picture/rgba.tif
make -depth 16 -compress None -colorspace gray tiff_picture/gray-16.tif
make -depth 8 -compress None -orient BottomLeft tiff_picture/orientation-bottom-left.tif

# BMP: each depth the preview decodes, bit fields with and without alpha, the OS/2 header,
# run-length encoding (copied, not shown) and rows stored top row first.
make bmp3:bmp_picture/rgb-24.bmp
make -colors 12 -type Palette bmp3:bmp_picture/palette-4.bmp
make -colors 40 -type Palette -compress None bmp3:bmp_picture/palette-8.bmp
make -monochrome -type Bilevel bmp3:bmp_picture/bilevel-1.bmp
make -colors 12 -type Palette -compress RLE bmp3:bmp_picture/palette-rle8.bmp
make -alpha set -channel A -evaluate set 50% +channel -define bmp:format=bmp4 \
  bmp:bmp_picture/bitfields-alpha-32.bmp
make -define bmp:subtype=RGB565 bmp:bmp_picture/bitfields-565.bmp
make bmp2:bmp_picture/os2-core-header.bmp
make bmp3:"$work/bottom-up.bmp"
python3 - "$work/bottom-up.bmp" bmp_picture/rgb-24-top-row-first.bmp <<'PYTHON'
import struct
import sys

bmp = bytearray(open(sys.argv[1], "rb").read())
offset, = struct.unpack_from("<I", bmp, 10)
width, height = struct.unpack_from("<ii", bmp, 18)
stride = (width * 3 + 3) // 4 * 4
rows = [bmp[offset + y * stride:offset + (y + 1) * stride] for y in range(height)]
struct.pack_into("<i", bmp, 22, -height)
bmp[offset:] = b"".join(reversed(rows))
open(sys.argv[2], "wb").write(bmp)
PYTHON

ls -l png_picture gif_picture tiff_picture bmp_picture

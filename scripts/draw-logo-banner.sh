#!/usr/bin/env bash
# Draws the main window's logo banner from its one design, at 370 x 60 (src/app/logo-banner.ppm)
# and at twice that (logo-banner@2x.ppm), which the window shows on screens scaled to 200 %, so
# that the banner is sharp there too. Needs ImageMagick and the DejaVu fonts (Debian's
# imagemagick and fonts-dejavu-core). The pictures are binary PPM files, which the program reads
# without Qt's image plugins (skin/BuiltInPictures.h).
set -euo pipefail
cd "$(dirname "$0")/.."

fonts=/usr/share/fonts/truetype/dejavu

# Draws the banner `scale` times as large as designed into `output`. Every measure below is in
# the designed banner's pixels.
draw() {
  local scale=$1 output=$2
  local width=$((370 * scale)) height=$((60 * scale))
  # Faint white lines rising to the right over the right end, 14 pixels apart.
  local stripes="" x
  for line in $(seq 0 9); do
    x=$(((298 + 14 * line) * scale))
    stripes+=" line $x.5,0 $((x - 60 * scale)).5,$height"
  done
  # A blue that lightens from left to right; the name and the line below it on the left.
  convert -size "${height}x${width}" gradient:'#2F5F93-#4F8FCF' -rotate -90 \
    -fill none -stroke 'rgba(255,255,255,0.14)' -strokewidth "$scale" -draw "$stripes" \
    -stroke none -fill white -font "$fonts/DejaVuSans-Bold.ttf" -pointsize $((28 * scale)) \
    -annotate +$((18 * scale))+$((32 * scale)) 'Lintavo' \
    -fill '#DCE8F6' -font "$fonts/DejaVuSans.ttf" \
    -pointsize "$(awk -v scale="$scale" 'BEGIN { print 10.75 * scale }')" \
    -annotate +$((20 * scale))+$((52 * scale)) 'Your ten personal start pages' \
    -depth 8 "ppm:$output"
}

draw 1 src/app/logo-banner.ppm
draw 2 src/app/logo-banner@2x.ppm

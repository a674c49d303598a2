# shellcheck shell=bash
# Sourced by the benchmark scripts that need a large JPEG: makes the 6000x4000 test picture once.
#
#   test_jpeg FOLDER   prints the picture's path, FOLDER/in.jpg, making it first when it is missing
#
# A synthetic picture (smooth shapes with fine noise, so it compresses like a photograph rather
# than like a flat colour), stored by `cjpeg -baseline -quality 90`. Needs python3 and cjpeg
# (libjpeg-turbo-progs).
test_jpeg() {
  local work=$1
  mkdir -p "$work"
  if [[ ! -s $work/in.jpg ]]; then
    echo "Making the 6000x4000 test picture in $work ..." >&2
    python3 - "$work/in.ppm" <<'PYTHON'
import math
import random
import sys

width, height = 6000, 4000
rng = random.Random(2003)
# Per column: three smooth waves of different lengths, one per colour, at most 239 so that
# noise of at most 16 can be added to every byte at once without carrying into the next.
base = bytearray()
for x in range(width):
    for channel, length in enumerate((251.0, 397.0, 643.0)):
        base.append(int(119.5 + 119.5 * math.sin(x / length + channel)))
base = bytes(base)
noise = bytes(rng.randrange(17) for _ in range(3 * width + 65536))
with open(sys.argv[1], "wb") as out:
    out.write(b"P6\n%d %d\n255\n" % (width, height))
    for y in range(height):
        # Rows differ by a slowly changing contrast, so the picture varies in both directions.
        gain = 0.55 + 0.45 * math.sin(y / 331.0)
        table = bytes(min(239, int(v * gain + 40 * (1 - gain))) for v in range(256))
        row = base.translate(table)
        start = (y * 7919) % 65536
        mixed = int.from_bytes(row, "big") + int.from_bytes(noise[start:start + 3 * width], "big")
        out.write(mixed.to_bytes(3 * width, "big"))
PYTHON
    cjpeg -baseline -quality 90 -outfile "$work/in.jpg" "$work/in.ppm"
    rm -f "$work/in.ppm"
  fi
  echo "$work/in.jpg"
}

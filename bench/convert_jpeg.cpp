// Converts one JPEG picture to a BMP file the way the program stores backgrounds, so the
// conversion can be timed and measured as a whole process beside other tools.
#include <cstdio>
#include <exception>

#include "codecs/JpegConversion.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SOURCE.jpg DEST.bmp\n", argv[0]);
    return 2;
  }
  try {
    lintavo::ConvertJpegToBitmap(argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

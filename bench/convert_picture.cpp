// Stores one picture as a background bitmap the way the program does, its format taken from its
// file name, so storing can be timed and measured as a whole process beside other tools.
#include <cstdio>
#include <exception>
#include <optional>

#include "codecs/PictureFormat.h"
#include "codecs/PictureStore.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SOURCE DEST.bmp\n", argv[0]);
    return 2;
  }
  const std::optional<lintavo::PictureFormat> format = lintavo::PictureFormatOfFileName(argv[1]);
  if (!format) {
    std::fprintf(stderr, "%s: not a picture file name\n", argv[1]);
    return 2;
  }
  try {
    lintavo::StorePictureAsBitmap(argv[1], *format, argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

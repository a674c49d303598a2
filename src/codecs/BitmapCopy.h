#pragma once

#include <string>

namespace lintavo {

// Copies the BMP file `source` byte for byte to `dest`, replacing any file there atomically: the
// copy is built beside `dest` and renamed into place, so a failed copy leaves the old file whole
// and nothing else. The file streams through a block at a time.
//
// A file that is not a BMP is refused before anything is written (its headers are checked as
// ReadBmpFileFacts checks them). Throws Failure "Cannot open file "<source>". <reason>", one of the
// picture failures for a file that is no BMP or a damaged one, and "Cannot create file "<dest>".
// <reason>" when the copy cannot be written.
void CopyBitmapFile(const std::string& source, const std::string& dest);

}  // namespace lintavo

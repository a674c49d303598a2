#pragma once

#include <string>

namespace lintavo {

// The files of page n (1 to 10) in the pages folder, and their settings section.

inline constexpr int kPageCount = 10;

inline std::string PageSection(int pageNumber) {
  return "HOMEPAGE-" + std::to_string(pageNumber);
}

inline std::string PageFileName(int pageNumber) {
  return "my home page " + std::to_string(pageNumber) + ".htm";
}

// The generated page refers to its background by this very name. Every step that writes the
// background uses it too, so that the reference and the file meet on file systems that compare
// case.
inline std::string BackgroundFileName(int pageNumber) {
  return "background" + std::to_string(pageNumber) + ".bmp";
}

}  // namespace lintavo

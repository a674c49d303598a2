#pragma once

#include <string>
#include <string_view>

namespace lintavo::help {

// What a compiled help file's "#SYSTEM" object says about the file. Each text is empty when the
// object does not say it.
struct SystemFacts {
  std::string contentsFile;  // the contents (.hhc), as a path inside the file
  std::string indexFile;     // the index (.hhk)
  std::string defaultTopic;  // the page the file opens at
  std::string title;         // the help window's title
};

// Reads the "#SYSTEM" object: a 4-byte version, then records of a 16-bit code, a 16-bit length and
// that many bytes of data (little-endian). A record that runs past the end ends the reading; what
// came before it stands.
SystemFacts ParseSystemFile(std::string_view bytes);

}  // namespace lintavo::help

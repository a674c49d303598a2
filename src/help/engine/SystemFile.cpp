#include "help/engine/SystemFile.h"

#include <cstdint>

#include "base/LittleEndian.h"
#include "base/Text.h"

namespace lintavo::help {

namespace {

enum SystemCode : std::uint16_t {
  kContentsFile = 0,
  kIndexFile = 1,
  kDefaultTopic = 2,
  kTitle = 3,
};

constexpr std::size_t kVersionSize = 4;
constexpr std::size_t kRecordHeaderSize = 4;

std::uint16_t Word(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(base::LittleEndian(bytes.substr(at, 2)));
}

// A record's text ends at its first NUL. Paths are kept as paths inside the file: "/" first.
std::string Text(std::string_view data) {
  return std::string(base::UpToNul(data));
}
std::string ObjectPath(std::string_view data) {
  std::string path = Text(data);
  return path.empty() || path.front() == '/' ? path : "/" + path;
}

}  // namespace

SystemFacts ParseSystemFile(std::string_view bytes) {
  SystemFacts facts;
  std::size_t at = kVersionSize;
  while (at + kRecordHeaderSize <= bytes.size()) {
    const std::uint16_t code = Word(bytes, at);
    const std::size_t length = Word(bytes, at + 2);
    at += kRecordHeaderSize;
    if (length > bytes.size() - at) {
      break;
    }
    const std::string_view data = bytes.substr(at, length);
    at += length;
    switch (code) {
      case kContentsFile:
        facts.contentsFile = ObjectPath(data);
        break;
      case kIndexFile:
        facts.indexFile = ObjectPath(data);
        break;
      case kDefaultTopic:
        facts.defaultTopic = ObjectPath(data);
        break;
      case kTitle:
        facts.title = Text(data);
        break;
      default:
        break;
    }
  }
  return facts;
}

}  // namespace lintavo::help

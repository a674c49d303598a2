#pragma once

#include <string>
#include <string_view>

#include "base/ProfileText.h"

namespace lintavo {

// The settings file ("config.ini") on disk: the settings engine (base/ProfileText) over the bytes
// of one file, as the profile API of the system the program was designed for reads and writes
// them.
//
// One operation = Load, any number of reads and writes, and at most one Save: the file is read
// once and replaced atomically once. Nothing is kept between operations.
class ProfileFile {
 public:
  // Reads the file once. A missing or unreadable file reads as an empty one; an unreadable one
  // is never replaced (see Save).
  static ProfileFile Load(const std::string& path);

  const std::string& Path() const { return path_; }

  // As ProfileText's.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const {
    return text_.ReadString(section, key, defaultValue);
  }
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    return text_.ReadInteger(section, key, defaultValue);
  }
  void WriteString(std::string_view section, std::string_view key, std::string_view value) {
    text_.WriteString(section, key, value);
  }
  void WriteInteger(std::string_view section, std::string_view key, int value) {
    text_.WriteInteger(section, key, value);
  }

  // Replaces the file atomically with the current content (CR LF line ends); a symbolic link stays
  // and the file it leads to is replaced. Throws Failure "Unable to write to <path>" when the file
  // cannot be written, and always when Load found a file there that it could not read, whose
  // content would otherwise be lost; the old file is then whole and unchanged.
  void Save() const;

 private:
  ProfileFile(std::string path, ProfileText text, bool replaceable);

  std::string path_;
  ProfileText text_;
  // False when a file is there that could not be read: saving over it would lose it.
  bool replaceable_;
};

}  // namespace lintavo

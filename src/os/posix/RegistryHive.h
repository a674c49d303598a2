#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/Registry.h"

namespace lintavo::os::posix {

// The text of a per-user hive file in the .reg format:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Key]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000002a
//
// Key paths and value names compare without regard to ASCII case. A key exists when it has a
// section or when a key below it has one. Every line the hive does not understand, and every
// value of another type (hex:, hex(2):, ...), is kept verbatim, so a rewrite never loses it.
class RegistryHive {
 public:
  static RegistryHive Parse(std::string_view text);
  std::string Serialize() const;

  bool HasKey(std::string_view path) const;
  // The value `name` of the key `path`; the last one when the file sets it twice.
  std::optional<RegistryValue> FindValue(std::string_view path, std::string_view name) const;

  // Adds an empty section for the key unless the key exists.
  void AddKey(std::string_view path);
  // Sets a value to `data`, the text after "=" (see FormatStringData, FormatDWordData): replaced
  // in place when present, else added after the last value of the key's section, the section
  // added at the end when the key has none.
  void SetValue(std::string_view path, std::string_view name, std::string_view data);

 private:
  // One value line with its continuation lines, or any other line.
  struct Entry {
    std::vector<std::string> lines;
    std::optional<std::string> foldedName;  // set for a value line
    RegistryValue value;
  };
  struct Section {
    std::string header;
    std::optional<std::string> foldedKey;  // set for a section of HKEY_CURRENT_USER
    std::vector<Entry> entries;
  };

  static Entry MakeValueEntry(std::string_view name, std::string_view data);
  void AppendSection(std::string_view path);

  std::string lineBreak_ = "\n";
  std::vector<std::string> prologue_;  // the lines before the first section
  std::vector<Section> sections_;
};

// A key path as keys compare: ASCII lower case, with empty components dropped (a doubled or a
// trailing backslash changes nothing).
std::string FoldKeyPath(std::string_view path);

// The data of a REG_SZ value as the hive writes it: quoted, with backslash, quote, CR and LF
// escaped.
std::string FormatStringData(std::string_view text);
// The data of a REG_DWORD value as the hive writes it: "dword:" and 8 hexadecimal digits.
std::string FormatDWordData(std::uint32_t number);

}  // namespace lintavo::os::posix

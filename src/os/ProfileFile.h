#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace lintavo {

// The settings file ("config.ini"), read and written with the semantics of the classic Windows
// profile API: sections and keys compare without regard to ASCII case, blanks around names and
// values are ignored, one pair of matching quotes around a value is dropped, the first of equal
// sections and keys wins, a value reads as at most 2047 characters.
//
// One operation = Load, any number of reads and writes, and at most one Save: the file is read
// once and replaced atomically once. Nothing is kept between operations.
class ProfileFile {
 public:
  // Reads the file once. A missing or unreadable file reads as an empty one; an unreadable one
  // is never replaced (see Save).
  static ProfileFile Load(const std::string& path);

  ProfileFile(ProfileFile&&) noexcept;
  ProfileFile& operator=(ProfileFile&&) noexcept;
  ~ProfileFile();

  const std::string& Path() const { return path_; }

  // The value of `key` in `section`; `defaultValue` when the key is missing. A present empty key
  // gives the empty text.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // An integer value: optional sign and decimal digits, or "$" / "0x" and hexadecimal digits,
  // within 32 bits. Anything else, including a missing key, gives `defaultValue`.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

  // Sets a key: replaced in place when present, else added at the end of its section, the
  // section added at the end of the file when missing. The value is stored so that it reads back
  // exactly, except that CR and LF become spaces. Names the format cannot hold are a programming
  // fault and throw std::invalid_argument: a section name with "]", a key that begins with "[" or
  // a UTF-8 byte-order mark or holds "=", and either holding CR or LF.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  // Replaces the file atomically with the current content (CR LF line ends); a symbolic link stays
  // and the file it leads to is replaced. Throws Failure "Unable to write to <path>" when the file
  // cannot be written, and always when Load found a file there that it could not read, whose
  // content would otherwise be lost; the old file is then whole and unchanged.
  void Save() const;

 private:
  struct Content;
  ProfileFile(std::string path, std::unique_ptr<Content> content);

  std::string path_;
  std::unique_ptr<Content> content_;
};

}  // namespace lintavo

#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace lintavo {

// The settings engine: the text of a settings file ("config.ini"), read and changed with the
// semantics of the classic Windows profile API: sections and keys compare without regard to ASCII
// case, blanks around names and values are ignored, one pair of matching quotes around a value is
// dropped, the first of equal sections and keys wins, a value reads as at most 2047 characters.
// Changes keep every other line as it was; Bytes() gives the text with CR LF line ends.
//
// It works on bytes only; os/ProfileFile reads them from a file and writes them back.
class ProfileText {
 public:
  explicit ProfileText(std::string bytes);

  ProfileText(ProfileText&&) noexcept;
  ProfileText& operator=(ProfileText&&) noexcept;
  ~ProfileText();

  // The value of `key` in `section`; `defaultValue` when the key is missing. A present empty key
  // gives the empty text.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // An integer value: optional sign and decimal digits, or "$" / "0x" and hexadecimal digits,
  // within 32 bits. Anything else, including a missing key, gives `defaultValue`.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

  // Sets a key: replaced in place when present, else added at the end of its section, the
  // section added at the end of the text when missing. The value is stored so that it reads back
  // exactly, except that CR and LF become spaces. Names the format cannot hold are a programming
  // fault and throw std::invalid_argument: a section name with "]", a key that begins with "[" or
  // a UTF-8 byte-order mark or holds "=", and either holding CR or LF.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  // The text as it stands now.
  std::string Bytes() const;
  // The text it was made from.
  const std::string& BytesAsRead() const;

 private:
  struct Content;
  std::unique_ptr<Content> content_;
};

}  // namespace lintavo

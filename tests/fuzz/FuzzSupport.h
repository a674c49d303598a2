#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What the fuzz targets share: the input as text, a scratch folder per process with the
// environment pointed into it, a request line taken off the front of an input, and checks that
// stop the process at the first broken expectation.
namespace lintavo::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// One folder per process for every file a target writes, made on the first call (in $TMPDIR when
// it is set, else in /dev/shm for speed) and removed when the process ends normally. The first
// call also points HOME and the XDG folders at empty folders inside it, so nothing a target runs
// can read or write the real home of the person running it.
class Scratch {
 public:
  static const Scratch& Get();

  // The path of `name` inside the scratch folder.
  std::string operator/(std::string_view name) const;
  std::string Home() const { return *this / "home"; }
  std::string ConfigHome() const { return *this / "home/.config"; }
  std::string DataHome() const { return *this / "home/.local/share"; }

 private:
  Scratch();
  ~Scratch();

  std::string root_;
};

void WriteBytes(const std::string& path, std::string_view bytes);

// The first line of an input read as a request "[group]name=value", for targets that read a file
// and then write one entry into it. The line ends at the first LF; "[group]" is optional, so is
// "=value". Fields are split at the first "]" and the first "=", then "\xHH" in any field stands
// for the byte with that hexadecimal code, so every byte can be written, "]" "=" CR LF NUL
// included: "[a\x5Db]k\x3Dx=line\x0Abreak" asks for section "a]b", key "k=x", value "line\nbreak".
struct Request {
  std::string group;
  std::string name;
  std::string value;
  std::string_view rest;  // what follows the first line
};
Request TakeRequest(std::string_view input);

// `bytes` with everything but printable ASCII written as \xHH, cut short after a few hundred
// characters: readable in a report.
std::string Printable(std::string_view bytes);

// Print what was expected and abort, so libFuzzer and the replay both stop at the input that
// broke it.
[[noreturn]] void Fail(std::string_view what);
void Expect(bool holds, std::string_view what);
void ExpectEqual(std::string_view what, std::string_view expected, std::string_view actual);

}  // namespace lintavo::fuzz

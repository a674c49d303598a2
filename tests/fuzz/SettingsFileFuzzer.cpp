// Fuzz target for the settings-file engine. The input's first line is a write request
// "[section]key=value" (see TakeRequest), the rest is loaded as config.ini. Every key the file
// names is read; then the request is written, the file saved and loaded again: the value must read
// back as the engine promises, and every other key must read as before.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "base/ProfileSyntax.h"
#include "base/Text.h"
#include "os/ProfileFile.h"

namespace {

using lintavo::ProfileFile;
namespace fuzz = lintavo::fuzz;
namespace profile = lintavo::profile;

// A default no file can hold, so a missing key is told apart from any value.
constexpr std::string_view kMissing = "\n(missing)\n";

struct KeyName {
  std::string section;
  std::string key;
};

// The section and key names the file's lines spell out, as candidates to read. A line split
// that differs from the engine's in odd cases only changes which names are tried.
std::vector<KeyName> NamedKeys(std::string_view text) {
  std::vector<KeyName> names;
  std::string section;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const profile::LineMeaning meaning = profile::Interpret(text.substr(0, end));
    if (meaning.kind == profile::LineMeaning::Kind::kSection) {
      section = meaning.name;
    } else if (meaning.kind == profile::LineMeaning::Kind::kKey) {
      names.push_back({section, std::string(meaning.name)});
    }
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return names;
}

bool SameName(std::string_view a, std::string_view b) {
  return lintavo::base::EqualIgnoringAsciiCase(profile::Normalized(a), profile::Normalized(b));
}

// What a read gives back after `value` was written: a NUL byte ends it, CR and LF become spaces,
// and at most kMaxValueLength characters come back.
std::string ReadBackOf(std::string_view value) {
  std::string text(value.substr(0, value.find('\0')));
  for (char& c : text) {
    if (c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return text.substr(0, profile::kMaxValueLength);
}

std::vector<std::string> ReadAll(const ProfileFile& file, const std::vector<KeyName>& names) {
  std::vector<std::string> values;
  for (const KeyName& name : names) {
    values.push_back(file.ReadString(name.section, name.key, kMissing));
    fuzz::Expect(values.back() == kMissing || values.back().size() <= profile::kMaxValueLength,
                 "a read returned more than kMaxValueLength characters");
    file.ReadInteger(name.section, name.key, 0);
  }
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Request request = fuzz::TakeRequest(fuzz::AsText(data, size));
  const std::string path = fuzz::Scratch::Get() / "config.ini";
  fuzz::WriteBytes(path, request.rest);

  ProfileFile file = ProfileFile::Load(path);
  const std::vector<KeyName> names = NamedKeys(request.rest);
  const std::vector<std::string> before = ReadAll(file, names);

  try {
    file.WriteString(request.group, request.name, request.value);
  } catch (const std::invalid_argument&) {
    return 0;  // a name the format cannot hold, refused as WriteString documents
  }
  const std::string expected = ReadBackOf(request.value);
  fuzz::ExpectEqual("the written value, read before saving", expected,
                    file.ReadString(request.group, request.name, kMissing));
  file.Save();

  const ProfileFile reloaded = ProfileFile::Load(path);
  fuzz::ExpectEqual("the written value, read after saving and loading again", expected,
                    reloaded.ReadString(request.group, request.name, kMissing));
  const std::vector<std::string> after = ReadAll(reloaded, names);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameName(names[i].section, request.group) && SameName(names[i].key, request.name)) {
      continue;
    }
    fuzz::ExpectEqual("key " + fuzz::Printable(names[i].key) + " of section " +
                          fuzz::Printable(names[i].section) + " after writing another key",
                      before[i], after[i]);
  }
  return 0;
}

#include "FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "base/Text.h"

namespace lintavo::fuzz {

namespace fs = std::filesystem;

namespace {

// $TMPDIR when it is set (scripts/fuzz.sh and the CTest replays point it at a folder of their own,
// so a crash leaves nothing behind elsewhere), else /dev/shm when it can be written, else the
// system's temporary folder.
fs::path ScratchParent() {
  if (const char* chosen = getenv("TMPDIR"); chosen != nullptr && *chosen != '\0') {
    return chosen;
  }
  const fs::path memory = "/dev/shm";
  if (access(memory.c_str(), W_OK | X_OK) == 0) {
    return memory;
  }
  return fs::temp_directory_path();
}

// "\xHH" as the byte HH; any other text as itself.
std::string Decoded(std::string_view field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field.substr(i, 2) == "\\x" && i + 3 < field.size()) {
      const auto high = base::HexDigitValue(field[i + 2]);
      const auto low = base::HexDigitValue(field[i + 3]);
      if (high && low) {
        text += static_cast<char>(*high * 16 + *low);
        i += 3;
        continue;
      }
    }
    text += field[i];
  }
  return text;
}

}  // namespace

const Scratch& Scratch::Get() {
  static const Scratch scratch;
  return scratch;
}

Scratch::Scratch() {
  std::string pattern = (ScratchParent() / "lintavo-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a scratch folder");
  }
  root_ = pattern;
  fs::create_directories(ConfigHome());
  fs::create_directories(DataHome());
  fs::create_directories(*this / "run");
  fs::permissions(*this / "run", fs::perms::owner_all, fs::perm_options::replace);
  setenv("HOME", Home().c_str(), 1);
  setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
  setenv("XDG_DATA_HOME", DataHome().c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (*this / "run").c_str(), 1);
  // No system-wide MIME or desktop files may answer for the target's own.
  setenv("XDG_CONFIG_DIRS", (*this / "etc-xdg").c_str(), 1);
  setenv("XDG_DATA_DIRS", (*this / "usr-share").c_str(), 1);
  unsetenv("XDG_CURRENT_DESKTOP");
}

Scratch::~Scratch() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string Scratch::operator/(std::string_view name) const {
  return (fs::path(root_) / name).string();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

Request TakeRequest(std::string_view input) {
  const std::size_t lineEnd = input.find('\n');
  std::string_view line = input.substr(0, lineEnd);
  Request request;
  request.rest = lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1);
  if (line.starts_with('[')) {
    if (const std::size_t close = line.find(']'); close != std::string_view::npos) {
      request.group = Decoded(line.substr(1, close - 1));
      line.remove_prefix(close + 1);
    }
  }
  const std::size_t equals = line.find('=');
  request.name = Decoded(line.substr(0, equals));
  if (equals != std::string_view::npos) {
    request.value = Decoded(line.substr(equals + 1));
  }
  return request;
}

std::string Printable(std::string_view bytes) {
  constexpr std::size_t kShown = 300;
  std::string text = "\"";
  for (const char c : bytes.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '\\' && c != '"') {
      text += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      text += escaped;
    }
  }
  text += '"';
  if (bytes.size() > kShown) {
    text += "... (" + std::to_string(bytes.size()) + " bytes)";
  }
  return text;
}

void Fail(std::string_view what) {
  std::fprintf(stderr, "\nFUZZ CHECK FAILED: %.*s\n", static_cast<int>(what.size()), what.data());
  std::fflush(stderr);
  std::abort();
}

void Expect(bool holds, std::string_view what) {
  if (!holds) {
    Fail(what);
  }
}

void ExpectEqual(std::string_view what, std::string_view expected, std::string_view actual) {
  if (expected != actual) {
    Fail(std::string(what) + "\n  expected: " + Printable(expected) +
         "\n  actual:   " + Printable(actual));
  }
}

}  // namespace lintavo::fuzz

// Fuzz target for the freedesktop key-file readers. The input's first line is a request
// "[group]key=value" (see TakeRequest), the rest is a key file (a desktop entry). The key is
// looked up and the Exec line's program taken apart; the value, escaped as a launcher writes it
// and put in front of the file, must read back unchanged, as must a program path quoted for Exec.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "os/posix/DesktopEntry.h"

namespace {

using namespace lintavo::os::posix;
namespace fuzz = lintavo::fuzz;

constexpr std::string_view kGroup = "Desktop Entry";

// A one-line "[Desktop Entry]" group holding `key` with `value` escaped, in front of `rest`: the
// first group that has the key wins, so whatever follows must not change what it reads as.
std::string EntryInFront(std::string_view key, std::string_view value, std::string_view rest) {
  std::string content = "[" + std::string(kGroup) + "]\n";
  content.append(key).append("=").append(EscapeKeyFileValue(value)).append("\n").append(rest);
  return content;
}

std::string Found(const std::optional<std::string>& value, std::string_view what) {
  if (!value) {
    fuzz::Fail(std::string(what) + ": nothing found");
  }
  return *value;
}

void CheckProgramOfExec(std::string_view exec) {
  if (const std::optional<std::string> program = FirstExecArgument(exec)) {
    fuzz::Expect(!program->empty(), "FirstExecArgument gave an empty program");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Request request = fuzz::TakeRequest(fuzz::AsText(data, size));
  FindKeyFileValue(request.rest, request.group, request.name);
  if (const auto exec = FindKeyFileValue(request.rest, kGroup, "Exec")) {
    CheckProgramOfExec(*exec);
  }
  CheckProgramOfExec(request.value);

  const std::string readBack =
      Found(FindKeyFileValue(EntryInFront("Name", request.value, request.rest), kGroup, "Name"),
            "an escaped value read back");
  fuzz::ExpectEqual("an escaped value read back", request.value, readBack);

  // A launcher's Exec line: the program quoted as one argument, then escaped as a value.
  if (!request.value.empty()) {
    const std::string exec = QuoteExecArgument(request.value) + " %u";
    constexpr std::string_view kWhat = "a quoted program read back from an Exec line";
    const std::string decoded =
        Found(FindKeyFileValue(EntryInFront("Exec", exec, request.rest), kGroup, "Exec"), kWhat);
    fuzz::ExpectEqual(kWhat, request.value, Found(FirstExecArgument(decoded), kWhat));
  }
  return 0;
}

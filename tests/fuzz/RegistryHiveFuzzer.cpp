// Fuzz target for the per-user registry hive (.reg text). The input's first line is a request
// "[key path]value name=text" (see TakeRequest), the rest is the hive file. The hive is parsed,
// rewritten and parsed again; then the text is set as a string value, the hive rewritten and
// parsed again, and the value must come back exactly, in a key that exists.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "os/posix/RegistryHive.h"

namespace {

using lintavo::os::RegistryValue;
using lintavo::os::RegistryValueType;
using lintavo::os::posix::RegistryHive;
namespace fuzz = lintavo::fuzz;

// The registry layer refuses key paths with a line break or a NUL byte before they reach the
// hive (such a path would forge lines of the file), so the hive never has to hold them.
bool HiveCanHoldKeyPath(std::string_view path) {
  return path.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string Describe(const std::optional<RegistryValue>& value) {
  if (!value) {
    return "(no value)";
  }
  switch (value->type) {
    case RegistryValueType::String:
      return "string " + value->text;
    case RegistryValueType::DWord:
      return "dword " + std::to_string(value->number);
    default:
      return "a value of another type";
  }
}

// A rewrite keeps the file as it is: parsing what Serialize wrote and writing it again gives the
// same text, and the requested key and value mean the same in both.
RegistryHive Rewritten(const RegistryHive& hive, const fuzz::Request& request) {
  const std::string text = hive.Serialize();
  RegistryHive again = RegistryHive::Parse(text);
  fuzz::ExpectEqual("the hive written a second time", text, again.Serialize());
  fuzz::Expect(hive.HasKey(request.group) == again.HasKey(request.group),
               "whether the key exists changed when the hive was rewritten");
  fuzz::ExpectEqual("the value after the hive was rewritten",
                    Describe(hive.FindValue(request.group, request.name)),
                    Describe(again.FindValue(request.group, request.name)));
  return again;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Request request = fuzz::TakeRequest(fuzz::AsText(data, size));
  RegistryHive hive = Rewritten(RegistryHive::Parse(request.rest), request);
  if (!HiveCanHoldKeyPath(request.group)) {
    return 0;
  }

  hive.SetValue(request.group, request.name, lintavo::os::posix::FormatStringData(request.value));
  const RegistryValue expected{RegistryValueType::String, request.value, 0};
  fuzz::ExpectEqual("the value just set", Describe(expected),
                    Describe(hive.FindValue(request.group, request.name)));
  hive = Rewritten(hive, request);
  fuzz::ExpectEqual("the value set, after the hive was rewritten", Describe(expected),
                    Describe(hive.FindValue(request.group, request.name)));
  fuzz::Expect(hive.HasKey(request.group), "the key of a value just set does not exist");

  // A key below the requested one, added and then found after a rewrite.
  const std::string subkey = request.group + "\\" + request.name;
  if (HiveCanHoldKeyPath(subkey)) {
    hive.AddKey(subkey);
    fuzz::Expect(hive.HasKey(subkey), "a key just added does not exist");
    fuzz::Expect(Rewritten(hive, request).HasKey(subkey),
                 "a key just added does not exist after the hive was rewritten");
  }
  return 0;
}

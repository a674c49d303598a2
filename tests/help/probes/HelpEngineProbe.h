#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A stand-in help engine that records each call of its HtmlHelpA and answers kProbeHelpWindow.
namespace lintavo::test {

struct RecordedHelpCall {
  std::uintptr_t caller;
  std::string path;
  std::uint32_t command;
  std::uintptr_t data;
};

inline constexpr std::uintptr_t kProbeHelpWindow = 0x4e1f;

// The probe's second export, "RecordedHelpCalls": the calls so far, oldest first.
using RecordedHelpCallsFunction = const std::vector<RecordedHelpCall>& (*)();

}  // namespace lintavo::test

// A help engine for tests: HtmlHelpA records its arguments, RecordedHelpCalls hands them out.
#include <type_traits>

#include "HelpEngineProbe.h"
#include "help/HtmlHelpInterface.h"

namespace {

std::vector<lintavo::test::RecordedHelpCall>& Calls() {
  static std::vector<lintavo::test::RecordedHelpCall> calls;
  return calls;
}

}  // namespace

extern "C" lintavo::os::WindowHandle HtmlHelpA(lintavo::os::WindowHandle caller, const char* path,
                                               std::uint32_t command, std::uintptr_t data) {
  Calls().push_back({caller, path ? path : "(null)", command, data});
  return lintavo::test::kProbeHelpWindow;
}

extern "C" const std::vector<lintavo::test::RecordedHelpCall>& RecordedHelpCalls() {
  return Calls();
}

static_assert(std::is_same_v<decltype(&HtmlHelpA), lintavo::HtmlHelpFunction>);
static_assert(
    std::is_same_v<decltype(&RecordedHelpCalls), lintavo::test::RecordedHelpCallsFunction>);

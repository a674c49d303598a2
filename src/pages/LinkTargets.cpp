#include "pages/LinkTargets.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/Text.h"

namespace lintavo {

namespace {

constexpr std::array<std::string_view, 5> kAcceptedPrefixes = {"http://", "file://", "https://",
                                                               "ftp://", "ftps://"};

}  // namespace

bool HasAcceptedScheme(std::string_view target) {
  const std::string lower = base::AsciiLowerCase(base::TrimSpacesAndControls(target));
  return std::any_of(kAcceptedPrefixes.begin(), kAcceptedPrefixes.end(),
                     [&lower](std::string_view prefix) { return lower.starts_with(prefix); });
}

}  // namespace lintavo

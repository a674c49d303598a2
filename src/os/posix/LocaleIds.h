#pragma once

#include <cstdint>
#include <string_view>

namespace lintavo::os {

// The Windows locale identifier of a POSIX locale name such as "de_AT.UTF-8" or "pt_BR@variant":
// its language and territory looked up among the common locales; a language alone ("de") stands
// for its main territory. Anything else, "C" and "POSIX" included, gives kUnknownLocaleId.
std::uint32_t LocaleIdOfLocaleName(std::string_view localeName);

}  // namespace lintavo::os

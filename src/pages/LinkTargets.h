#pragma once

#include <string_view>

namespace lintavo {

// Whether `target` begins with one of the schemes a link may have: "http://", "https://",
// "file://", "ftp://" or "ftps://", ASCII case ignored, once the spaces and control characters at
// both ends are set aside. The link editor saves no other target, and the pages link to no other:
// a settings file may still hold one ("javascript:", "data:", a bare name), written by hand or by
// another program.
bool HasAcceptedScheme(std::string_view target);

}  // namespace lintavo

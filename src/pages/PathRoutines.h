#pragma once

#include <string>

namespace lintavo {

// The path ending in exactly one path delimiter; the empty path stays empty.
std::string WithTrailingBackslash(const std::string& path);

}  // namespace lintavo

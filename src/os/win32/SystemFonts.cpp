#include "os/SystemFonts.h"

// Windows keeps its fonts' list itself; there is nothing to read ahead.

namespace lintavo::os {

struct SystemFontsPreload::Reading {};

SystemFontsPreload::SystemFontsPreload() = default;
SystemFontsPreload::~SystemFontsPreload() = default;

void SystemFontsPreload::Wait() {}

}  // namespace lintavo::os

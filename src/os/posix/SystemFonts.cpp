#include "os/SystemFonts.h"

#include <fontconfig/fontconfig.h>

#include <thread>

namespace lintavo::os {

// fontconfig loads its configuration once per process, safely from any thread; the window
// system's font database then finds it loaded. Whether it loads is the font database's concern,
// which reports it.
struct SystemFontsPreload::Reading {
  std::thread thread{[] { FcInit(); }};
};

SystemFontsPreload::SystemFontsPreload() : reading_(std::make_unique<Reading>()) {}

SystemFontsPreload::~SystemFontsPreload() {
  Wait();
}

void SystemFontsPreload::Wait() {
  if (reading_->thread.joinable()) {
    reading_->thread.join();
  }
}

}  // namespace lintavo::os

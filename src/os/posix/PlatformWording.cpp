#include "os/PlatformWording.h"

namespace lintavo::os {

// The location picker reads the tabs of the running Firefox-family and Chromium-family browsers;
// the quick-start shortcut goes into the desktop's applications menu; the home page is set in the
// browsers' own settings (browsers/BrowserHomePages.h).
const PlatformWording& Wording() {
  static const PlatformWording wording{
      "No open browser tabs were found. The insert feature reads the tabs of running Firefox and "
      "Chromium browsers.\n\n"
      "If you use another browser, copy the address from it and paste it into the target box.",
      "Add to the applications &menu",
      false,
      "&OK",
      "Click OK to make the selected page the home page of your browsers.\n\n"
      "It is set in every Firefox, Chromium, Google Chrome, Brave, Microsoft Edge and Vivaldi "
      "profile of yours, and what it replaces is kept. A browser that is open now may have to be "
      "closed first; you will be told which.",
  };
  return wording;
}

}  // namespace lintavo::os

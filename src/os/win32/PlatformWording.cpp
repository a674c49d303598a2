#include "os/PlatformWording.h"

namespace lintavo::os {

// Lines break with LF CR, in that order, as the program has always shown them.
const PlatformWording& Wording() {
  static const PlatformWording wording{
      "No open Internet Explorer pages were found.  The insert feature works only with Internet "
      "Explorer.\n\r"
      "If you are using a different browser, you will need to copy and paste the URL\n\r"
      "into the target box.",
      "Add a &Quick Launch toolbar entry",
      true,
      "&Ok",
      "Click OK to set the selected personal home page as your browser's default home page.\n\r"
      "If blocked by your anti-virus software, you will need to set manually by first viewing\n\r"
      "the personal home page and then setting as your home page via your browser's options",
  };
  return wording;
}

}  // namespace lintavo::os

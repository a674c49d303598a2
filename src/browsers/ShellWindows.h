#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lintavo::browsers {

// The shell's collection of open windows, as the browser location picker reads it: one pass over
// the windows open now, each once, in a stable order. On Windows these are the shell's own windows
// (browser and folder windows alike). On a freedesktop system they are the open tabs of the
// browsers the user runs now, read from the browsers' own session files: the Firefox family first,
// then the Chromium family, each browser's windows and their tabs in order, and each profile once
// however often it is listed.
class ShellWindows {
 public:
  // What one open window offers.
  struct Window {
    // It offers a browser view; a window without one (a folder window) has nothing else to read.
    bool isWebBrowser = false;
    // The full URL it shows, in the system's 8-bit text; possibly empty (still loading).
    std::string locationUrl;
    // A document is loaded in it.
    bool hasDocument = false;
  };

  // Takes the snapshot. Throws Failure, with the system's words for it, when the collection
  // cannot be obtained at all; a single window that cannot be read is left out.
  static ShellWindows Snapshot();

  // A snapshot of the given windows, in this order; a window without an object is nothing.
  explicit ShellWindows(std::vector<std::optional<Window>> windows);

  // The number of windows in the snapshot.
  int Count() const;

  // The window at `index` (0 to Count() - 1); nothing when there is no window object there.
  std::optional<Window> Item(int index) const;

 private:
  std::vector<std::optional<Window>> windows_;
};

}  // namespace lintavo::browsers

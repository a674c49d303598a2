#pragma once

#include <optional>
#include <string>
#include <vector>

#include "browsers/ShellWindows.h"

namespace lintavo::test {

// A shell window as tests compare it: its location, followed by " (no document)" when it has
// none; "(no browser)" for a window without a browser view, "(nothing)" where there is no window.
inline std::string Described(const std::optional<browsers::ShellWindows::Window>& window) {
  if (!window) {
    return "(nothing)";
  }
  if (!window->isWebBrowser) {
    return "(no browser)";
  }
  return window->locationUrl + (window->hasDocument ? "" : " (no document)");
}

inline std::vector<std::string> Described(
    const std::vector<browsers::ShellWindows::Window>& windows) {
  std::vector<std::string> texts;
  for (const browsers::ShellWindows::Window& window : windows) {
    texts.push_back(Described(window));
  }
  return texts;
}

// Every window of a snapshot, read through Count and Item as the browser location picker reads it.
inline std::vector<std::string> Described(const browsers::ShellWindows& snapshot) {
  std::vector<std::string> texts;
  for (int i = 0; i < snapshot.Count(); ++i) {
    texts.push_back(Described(snapshot.Item(i)));
  }
  return texts;
}

}  // namespace lintavo::test

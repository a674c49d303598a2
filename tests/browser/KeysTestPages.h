#pragma once

#include <string>

#include "browser/LinkServer.h"
#include "support/PageStoreFixture.h"

namespace lintavo::test {

// The ten pages as the program makes them from the installed template (data/template.htm), with
// its own page generation, in an isolated home. Pages 1 and 2 hold the links below, each leading
// to a small page on a LinkServer. Page 1 lies over the black stock picture, as every page does
// by default; page 2 over the white one, with the colours the background dialog gives it.
//
//   row 1: "News" (news.htm) | "Mail" / "work" (mail.htm) | no caption, a target (ghost.htm)
//          | "Weather" (forecast.htm)
//   row 2: "Real estate" (homes.htm) | empty | "Q&A "it's"" / "<b>bold</b></script>"
//          (qa.htm?x=1&y=2)
class KeysTestPages {
 public:
  KeysTestPages();

  // The address of page n (1 to 10) as a browser shows it.
  std::string PageUrl(int n);
  // The address that the link to `target` ("news.htm") leads to, which is also the link's target.
  std::string LinkUrl(const std::string& target) const;
  // The target ("news.htm") of the link to `url`; any other text as it is.
  std::string TargetOf(const std::string& url) const;

 private:
  LinkServer links_;
  PageStoreFixture store_;
};

}  // namespace lintavo::test

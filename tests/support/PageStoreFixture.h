#pragma once

#include <memory>
#include <string>

#include "pages/WebManager.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

// A program folder and an isolated home for the page store: the settings file, the template and
// the default picture are whatever the test puts there.
class PageStoreFixture {
 public:
  // The program folder, ending in a delimiter, as the store expects it.
  std::string ProgramFolder() const { return programFolder_.Path().string() + "/"; }
  std::string ConfigFile() const { return home_.ConfigHome() + "/config.ini"; }

  void PutTemplate(const std::string& bytes) const {
    WriteFileBytes(ProgramFolder() + "template.htm", bytes);
  }
  void PutDefaultPicture() const {
    WriteFileBytes(ProgramFolder() + "template.jpg",
                   ReadFileBytes(FixturePath("pages/template.jpg")));
  }

  // A new store over the current files (the old one, if any, is dropped without saving).
  TWebManager& Open() {
    store_ = std::make_unique<TWebManager>(ConfigFile(), ProgramFolder());
    return *store_;
  }
  TWebManager& Store() { return store_ ? *store_ : Open(); }

  std::string PagePath(int n) {
    return Store().RootFolder + "/my home page " + std::to_string(n) + ".htm";
  }
  std::string BackgroundPath(int n) {
    return Store().RootFolder + "/background" + std::to_string(n) + ".bmp";
  }
  std::string Page(int n) { return ReadFileBytes(PagePath(n)); }
  TWebPage& PageData(int n) { return Store().Pages[static_cast<std::size_t>(n - 1)].second; }

 private:
  IsolatedHome home_;
  TempFolder programFolder_;
  std::unique_ptr<TWebManager> store_;
};

}  // namespace lintavo::test

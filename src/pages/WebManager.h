#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pages/WebPage.h"

namespace lintavo {

class ProfileFile;

// The colours of a page whose settings name none. A page whose colour is no CSS colour is written
// with these too.
inline constexpr std::string_view kDefaultTextColor = "#FFFFFF";
inline constexpr std::string_view kDefaultTitleColor = "#FFFF00";

// The page store: the ten pages in order, the folder their HTML files live in, and the settings
// file they are kept in. It never saves on its own initiative; callers change pages in place and
// then call SavePages and GeneratePages.
class TWebManager {
 public:
  // Finds (and if need be creates) the pages folder and loads all ten pages from `configFile`
  // with one read. `programFolder` ends in a path delimiter; the template and the default
  // pictures lie there.
  TWebManager(std::string configFile, std::string programFolder);
  // The same with the pages taken from `settings`, the settings file as its caller has read it.
  TWebManager(const ProfileFile& settings, std::string programFolder);

  // The pages folder, without a trailing delimiter.
  std::string RootFolder;
  // ("HOMEPAGE-" + n, page n) for n = 1 to 10, in that order.
  std::vector<std::pair<std::string, TWebPage>> Pages;

  // Writes every key of all ten pages into the settings file with one atomic replacement.
  // Throws Failure "Unable to write to <file>"; the previous file is then left whole.
  void SavePages() const;

  // Writes the HTML of all ten pages from the template beside the program, giving every page
  // without a background bitmap the default one. Does nothing when there is no template. Every
  // name, caption, target and colour goes into the pages as text that cannot make markup: see
  // PageGeneration.cpp.
  void GeneratePages() const;

  // Gives every page without a background bitmap the picture shipped for it beside the program
  // ("background" + n + ".JPG", its name in any case). Runs before the first generation, so a
  // page's own picture wins over the general default one.
  void InstallDefaultBackgrounds() const;

  // Copies the logo beside the program into the pages folder, which the pages show it from,
  // unless it is there already. A missing logo or a failed copy is passed over: the pages work
  // without it.
  void InstallLogo() const;

  // Converts the JPEG picture `source` into the bitmap `dest` when `source` exists and `dest`
  // does not; otherwise does nothing.
  static void ConvertIfMissing(const std::string& source, const std::string& dest);

  const std::string& ConfigFile() const { return configFile_; }
  const std::string& ProgramFolder() const { return programFolder_; }

 private:
  void LoadPages(const ProfileFile& settings);

  std::string configFile_;
  std::string programFolder_;
};

}  // namespace lintavo

#include <gtest/gtest.h>

#include "diagnostics/ReleaseNames.h"

namespace lintavo {
namespace {

struct NameCase {
  FileVersion version;
  const char* name;
};

TEST(ReleaseNamesTest, NamesTheHelpEngineByTheFirstReleaseItReaches) {
  const NameCase cases[] = {
      {MakeFileVersion(4, 74, 9273, 0), "1.33"},     {MakeFileVersion(4, 74, 9273, 1), "> 1.33"},
      {MakeFileVersion(5, 2, 3790, 2847), "> 1.33"}, {MakeFileVersion(4, 74, 9272, 0), "1.32"},
      {MakeFileVersion(4, 73, 8412, 0), "1.21"},     {MakeFileVersion(4, 72, 7290, 0), "1.0"},
      {MakeFileVersion(4, 72, 7200, 0), "< 1.0"},    {FileVersion{}, ""},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(HelpEngineReleaseName(c.version), c.name) << c.version.text;
  }
}

TEST(ReleaseNamesTest, NamesTheBrowserControlByItsAdjustedVersion) {
  const NameCase cases[] = {
      {MakeFileVersion(6, 0, 2900, 2180), "> Internet Explorer 6"},
      {MakeFileVersion(6, 0, 2600, 0), "Internet Explorer 6 (Windows XP)"},
      {MakeFileVersion(5, 0, 2919, 6400), "Internet Explorer 5.01"},
      {MakeFileVersion(5, 50, 4134, 600), "Internet Explorer 5.5"},
      {MakeFileVersion(4, 70, 1155, 0), "Internet Explorer 3.0"},
      {MakeFileVersion(4, 40, 308, 0), "Internet Explorer 1.0 (Plus!)"},
      {MakeFileVersion(4, 40, 307, 0), "< Internet Explorer 1.0 (Plus!)"},
      {FileVersion{}, ""},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(BrowserReleaseName(c.version), c.name) << c.version.text;
  }
}

TEST(ReleaseNamesTest, MovesTheBuildOfTheOldestBrowserNumberingIntoPlace) {
  const FileVersion adjusted = AdjustBrowserVersion(MakeFileVersion(4, 70, 0, 1155));
  EXPECT_EQ(adjusted.text, "4.70.1155.0");
  EXPECT_EQ(BrowserReleaseName(adjusted), "Internet Explorer 3.0");
  // Newer numberings, and an empty version, stay as they are.
  EXPECT_EQ(AdjustBrowserVersion(MakeFileVersion(4, 71, 0, 1712)).text, "4.71.0.1712");
  EXPECT_EQ(AdjustBrowserVersion(MakeFileVersion(4, 70, 1, 1155)).text, "4.70.1.1155");
  EXPECT_EQ(AdjustBrowserVersion(FileVersion{}).text, "");
}

}  // namespace
}  // namespace lintavo

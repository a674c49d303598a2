#include "diagnostics/ReleaseNames.h"

#include <array>
#include <span>

namespace lintavo {

namespace {

struct Release {
  std::array<std::uint16_t, 4> from;  // the first version of the release
  const char* name;
};

// Newest first. The first row names every version above its own; each other row names the
// versions from its own up to the row above; below the last row comes `older`.
constexpr Release kHelpEngineReleases[] = {
    {{4, 74, 9273, 0}, "> 1.33"}, {{4, 74, 9273, 0}, "1.33"}, {{4, 74, 8857, 0}, "1.32"},
    {{4, 74, 8793, 0}, "1.31"},   {{4, 74, 8702, 0}, "1.3"},  {{4, 73, 8561, 0}, "1.22"},
    {{4, 73, 8474, 0}, "1.21a"},  {{4, 73, 8412, 0}, "1.21"}, {{4, 73, 8252, 0}, "1.2"},
    {{4, 72, 8164, 0}, "1.1b"},   {{4, 72, 7325, 0}, "1.1a"}, {{4, 72, 7323, 0}, "1.1"},
    {{4, 72, 7290, 0}, "1.0"},
};
constexpr char kOlderHelpEngine[] = "< 1.0";

constexpr Release kBrowserReleases[] = {
    {{6, 0, 2600, 0}, "> Internet Explorer 6"},
    {{6, 0, 2600, 0}, "Internet Explorer 6 (Windows XP)"},
    {{6, 0, 2479, 6}, "Internet Explorer 6 Public Preview (Beta) Refresh"},
    {{6, 0, 2462, 0}, "Internet Explorer 6 Public Preview (Beta)"},
    {{5, 50, 4807, 2300}, "Internet Explorer 5.5 Service Pack 2"},
    {{5, 50, 4522, 1800}, "Internet Explorer 5.5 Service Pack 1"},
    {{5, 50, 4308, 2900}, "Internet Explorer 5.5 Advanced Security Privacy Beta"},
    {{5, 50, 4134, 600}, "Internet Explorer 5.5"},
    {{5, 50, 4134, 100}, "Internet Explorer 5.5 for Windows Me (4.90.3000)"},
    {{5, 50, 4030, 2400}, "Internet Explorer 5.5 & Internet Tools Beta"},
    {{5, 50, 3825, 1300}, "Internet Explorer 5.5 Developer Preview"},
    {{5, 0, 2919, 6307}, "Internet Explorer 5.01"},
    {{5, 0, 2919, 3800}, "Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
    {{5, 0, 2919, 800}, "Internet Explorer 5.01 (Windows 2000 RC1, build 5.00.2072)"},
    {{5, 0, 2721, 1400}, "Internet Explorer 5.0 updated"},
    {{5, 0, 2614, 0}, "Internet Explorer 5.0b"},
    {{5, 0, 2314, 0}, "Internet Explorer 5.0a"},
    {{5, 0, 2014, 0}, "Internet Explorer 5.0"},
    {{5, 0, 910, 0}, "Internet Explorer 5 Beta (Beta 2)"},
    {{5, 0, 518, 0}, "Internet Explorer 5 Developer Preview (Beta 1)"},
    {{4, 72, 3612, 0}, "Internet Explorer 4.01 Service Pack 2 (SP2)"},
    {{4, 72, 3110, 0}, "Internet Explorer 4.01 Service Pack 1 (SP1)"},
    {{4, 72, 2106, 0}, "Internet Explorer 4.01"},
    {{4, 71, 1712, 0}, "Internet Explorer 4.0"},
    {{4, 71, 1008, 0}, "Internet Explorer 4.0 Platform Preview 2.0 (PP2)"},
    {{4, 71, 544, 0}, "Internet Explorer 4.0 Platform Preview 1.0 (PP1)"},
    {{4, 70, 1300, 0}, "Internet Explorer 3.02"},
    {{4, 70, 1215, 0}, "Internet Explorer 3.01"},
    {{4, 70, 1158, 0}, "Internet Explorer 3.0 (OSR2)"},
    {{4, 70, 1155, 0}, "Internet Explorer 3.0"},
    {{4, 40, 520, 0}, "Internet Explorer 2.0"},
    {{4, 40, 308, 0}, "Internet Explorer 1.0 (Plus!)"},
};
constexpr char kOlderBrowser[] = "< Internet Explorer 1.0 (Plus!)";

std::string ReleaseName(const FileVersion& version, std::span<const Release> releases,
                        const char* older) {
  if (version.text.empty()) {
    return {};
  }
  for (std::size_t row = 0; row < releases.size(); ++row) {
    const int comparison = CompareVersions(version, {releases[row].from, {}});
    if (comparison > 0 || (comparison == 0 && row > 0)) {
      return releases[row].name;
    }
  }
  return older;
}

}  // namespace

std::string HelpEngineReleaseName(const FileVersion& version) {
  return ReleaseName(version, kHelpEngineReleases, kOlderHelpEngine);
}

FileVersion AdjustBrowserVersion(const FileVersion& version) {
  const auto& [v1, v2, v3, v4] = version.numbers;
  if (!version.text.empty() && v1 == 4 && v2 <= 70 && v3 == 0) {
    return MakeFileVersion(v1, v2, v4, 0);
  }
  return version;
}

std::string BrowserReleaseName(const FileVersion& version) {
  return ReleaseName(version, kBrowserReleases, kOlderBrowser);
}

}  // namespace lintavo

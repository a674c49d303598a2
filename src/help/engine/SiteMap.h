#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lintavo::help {

// One entry of a contents (.hhc) or index (.hhk) file.
struct SiteMapEntry {
  int level = 0;      // 0 for the outermost list, one more for each list inside it
  std::string name;   // what the entry shows
  std::string local;  // the page it opens, relative to the file's root; empty for a heading
};

// Reads the entries of a sitemap file, in order: HTML whose nested <UL> lists hold one
// <OBJECT type="text/sitemap"> per entry, with <param name="Name" value="..."> and
// <param name="Local" value="...">. Tags and attribute names are read without regard to letter
// case; the values' character references are decoded. Anything else in the file is passed over,
// and a broken file gives the entries it holds up to where it breaks.
std::vector<SiteMapEntry> ParseSiteMap(std::string_view html);

}  // namespace lintavo::help

#include <gtest/gtest.h>

#include "help/engine/SiteMap.h"

namespace lintavo::help {
namespace {

// An entry as "level name -> local", so that a table reads as the contents would show.
std::vector<std::string> Described(const std::vector<SiteMapEntry>& entries) {
  std::vector<std::string> lines;
  for (const SiteMapEntry& entry : entries) {
    lines.push_back(std::to_string(entry.level) + " " + entry.name + " -> " + entry.local);
  }
  return lines;
}

std::string Item(const std::string& params) {
  return "<LI><OBJECT type=\"text/sitemap\">" + params + "</OBJECT>";
}

struct SiteMapCase {
  const char* rule;
  std::string html;
  std::vector<std::string> entries;
};

TEST(SiteMapTest, ReadsEntriesAsContentsAndIndexFilesWriteThem) {
  const SiteMapCase cases[] = {
      {"nested lists give levels; a heading has no page",
       "<UL>" +
           Item("<param name=\"Name\" value=\"Start\"><param name=\"Local\" value=\"a.htm\">") +
           Item("<param name=\"Name\" value=\"Pages\">") + "<UL>" +
           Item("<param name=\"Name\" value=\"Edit\"><param name=\"Local\" value=\"b.htm#x\">") +
           "</UL>" +
           Item("<param name=\"Name\" value=\"End\"><param name=\"Local\" value=\"c.htm\">") +
           "</UL>",
       {"0 Start -> a.htm", "0 Pages -> ", "1 Edit -> b.htm#x", "0 End -> c.htm"}},
      {"letter case of tags, attributes and names does not matter",
       "<ul><li><object TYPE='TEXT/SITEMAP'><PARAM NAME=name VALUE=\"One\"><Param Name='LOCAL' "
       "Value=one.htm></Object></ul>",
       {"0 One -> one.htm"}},
      {"character references are decoded",
       "<ul>" +
           Item(
               "<param name=\"Name\" value=\"Cut &amp; paste &#8212; &lt;b&gt; &#xe9; &bogus;\">") +
           "</ul>",
       {"0 Cut & paste \xE2\x80\x94 <b> \xC3\xA9 &bogus; -> "}},
      {"the first page of an index entry is the one it opens",
       "<ul>" +
           Item("<param name=\"Name\" value=\"k\"><param name=\"Local\" value=\"1.htm\">"
                "<param name=\"Name\" value=\"k2\"><param name=\"Local\" value=\"2.htm\">") +
           "</ul>",
       {"0 k -> 1.htm"}},
      {"comments, other objects, stray params and nameless entries are passed over",
       "<!-- <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"hidden\"></OBJECT> -->"
       "<param name=\"Name\" value=\"stray\"><OBJECT type=\"text/site properties\">"
       "<param name=\"Name\" value=\"props\"></OBJECT><ul>" +
           Item("<param name=\"Local\" value=\"x.htm\">") +
           Item("<param name=\"Name\" value=\"Kept\">") + "</ul>",
       {"0 Kept -> "}},
      {"a broken file gives what it holds up to the break",
       "<ul>" + Item("<param name=\"Name\" value=\"Whole\">") +
           "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Cut off",
       {"0 Whole -> "}},
      {"more list ends than starts keep the level at the outermost",
       "</ul></ul>" + Item("<param name=\"Name\" value=\"Top\">"),
       {"0 Top -> "}},
      {"no markup at all", "just text, no tags", {}},
  };
  for (const SiteMapCase& sitemap : cases) {
    EXPECT_EQ(Described(ParseSiteMap(sitemap.html)), sitemap.entries) << sitemap.rule;
  }
}

}  // namespace
}  // namespace lintavo::help

#include <gtest/gtest.h>

#include <cstdint>

#include "help/engine/SystemFile.h"

namespace lintavo::help {
namespace {

std::string Record(std::uint16_t code, const std::string& data) {
  const auto length = static_cast<std::uint16_t>(data.size());
  return std::string{static_cast<char>(code & 0xFF), static_cast<char>(code >> 8),
                     static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)} +
         data;
}

const std::string kVersion("\x03\0\0\0", 4);

TEST(SystemFileTest, ReadsTheFilesTheTopicAndTheTitleAsPathsInsideTheFile) {
  const SystemFacts facts = ParseSystemFile(
      kVersion + Record(9, std::string(300, 'x')) + Record(0, std::string("Help.hhc\0", 9)) +
      Record(1, "/Help.hhk") + Record(2, std::string("intro.htm\0junk", 14)) +
      Record(3, std::string("Lintavo Help\0", 13)));
  EXPECT_EQ(facts.contentsFile, "/Help.hhc");
  EXPECT_EQ(facts.indexFile, "/Help.hhk");
  EXPECT_EQ(facts.defaultTopic, "/intro.htm");
  EXPECT_EQ(facts.title, "Lintavo Help");
}

TEST(SystemFileTest, ARecordRunningPastTheEndEndsTheReadingAndWhatCameBeforeStands) {
  const std::string whole = kVersion + Record(3, "Title") + Record(2, "topic.htm");
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE(size);
    const SystemFacts facts = ParseSystemFile(std::string_view(whole).substr(0, size));
    EXPECT_EQ(facts.title, size >= kVersion.size() + 4 + 5 ? "Title" : "");
    EXPECT_EQ(facts.defaultTopic, "");
  }
}

}  // namespace
}  // namespace lintavo::help

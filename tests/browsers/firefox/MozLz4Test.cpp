#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "browsers/firefox/MozLz4.h"
#include "support/BrowserSessions.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using browsers::DecodeMozLz4;
using test::MozLz4File;

constexpr std::size_t kLimit = 1 << 20;

// The declared size (bytes 8 to 11) replaced.
std::string WithDeclaredSize(std::string file, std::uint32_t size) {
  for (int i = 0; i < 4; ++i) {
    file[8 + static_cast<std::size_t>(i)] = static_cast<char>(size >> (8 * i) & 0xff);
  }
  return file;
}

// Firefox 153 ESR wrote this file (tests/fixtures/browsers/README.md).
TEST(MozLz4Test, DecodesTheSessionFileFirefoxWrote) {
  const std::string file =
      test::ReadFileBytes(test::FixturePath("browsers/firefox-esr/recovery.jsonlz4"));

  const std::optional<std::string> json = DecodeMozLz4(file, kLimit);

  ASSERT_TRUE(json.has_value());
  EXPECT_EQ(json->size(), 3642u);
  EXPECT_TRUE(json->starts_with(R"({"version":["sessionrestore",1],"windows":[)"));
  EXPECT_TRUE(json->ends_with("}"));
}

TEST(MozLz4Test, DecodesWhatWasEncodedWhateverItHolds) {
  const std::string repeated(100'000, 'x');
  for (const std::string& content :
       {std::string(), std::string("{}"), std::string("nul\0inside\xff", 11), repeated}) {
    SCOPED_TRACE(content.size());
    EXPECT_EQ(DecodeMozLz4(MozLz4File(content), kLimit), content);
  }
}

// A file that is damaged or lies about its size gives nothing, and a huge declared size is
// refused before anything is allocated for it.
TEST(MozLz4Test, RefusesFilesThatAreDamagedOrLieAboutTheirSize) {
  const std::string content = R"({"windows":[{"tabs":[{"entries":[{"url":"file:///a"}]}]}]})";
  const std::string good = MozLz4File(content);
  const struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"empty", ""},
      {"magic alone", std::string("mozLz40\0", 8)},
      {"header alone", good.substr(0, 12)},
      {"block cut short", good.substr(0, good.size() - 3)},
      {"another magic", "mozLz41" + good.substr(7)},
      {"plain JSON", content},
      {"not LZ4 after the header", good.substr(0, 12) + std::string(40, '\xff')},
      {"declared one byte too many", WithDeclaredSize(good, content.size() + 1)},
      {"declared one byte too few", WithDeclaredSize(good, content.size() - 1)},
      {"declared 4 GiB", WithDeclaredSize(good, 0xffffffff)},
      {"above the limit", MozLz4File(std::string(kLimit + 1, 'x'))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeMozLz4(c.file, kLimit), std::nullopt);
  }
  EXPECT_EQ(DecodeMozLz4(MozLz4File(std::string(kLimit, 'x')), kLimit), std::string(kLimit, 'x'));
}

}  // namespace
}  // namespace lintavo

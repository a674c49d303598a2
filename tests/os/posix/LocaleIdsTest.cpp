#include <gtest/gtest.h>

#include "os/SystemFacts.h"
#include "os/posix/LocaleIds.h"

namespace lintavo::os {
namespace {

TEST(LocaleIdsTest, TranslatesTheCommonLocaleNames) {
  struct Case {
    const char* name;
    std::uint32_t id;
  };
  const Case cases[] = {
      {"en_US.UTF-8", 0x0409}, {"en_GB.UTF-8", 0x0809},
      {"de_AT.UTF-8", 0x0C07}, {"de_DE@euro", 0x0407},
      {"pt_BR", 0x0416},       {"zh_TW.Big5", 0x0404},
      {"fr", 0x040C},          {"de_BE.UTF-8", 0x0407},  // an unknown territory: the language
      {"C", kUnknownLocaleId}, {"POSIX", kUnknownLocaleId},
      {"", kUnknownLocaleId},  {"xx_YY.UTF-8", kUnknownLocaleId},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocaleIdOfLocaleName(c.name), c.id) << c.name;
  }
}

}  // namespace
}  // namespace lintavo::os

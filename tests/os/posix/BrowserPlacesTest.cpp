#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "os/BrowserPlaces.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using testing::ElementsAre;

TEST(BrowserPlacesTest, LooksWhereTheNativeSnapAndFlatpakBrowsersKeepTheirProfiles) {
  const test::IsolatedHome home;
  EXPECT_THAT(os::FirefoxProfileRoots(),
              ElementsAre(home.Home() + "/.mozilla/firefox", home.ConfigHome() + "/mozilla/firefox",
                          home.Home() + "/snap/firefox/common/.mozilla/firefox",
                          home.Home() + "/.var/app/org.mozilla.firefox/.mozilla/firefox"));
}

}  // namespace
}  // namespace lintavo

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "app/TfrmAbout.h"
#include "pages/ProductIdentity.h"
#include "support/RecordingBrowser.h"
#include "support/TestEnvironment.h"
#include "support/gui/CaptionFit.h"

namespace lintavo::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    about_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about_));
  }

  template <typename Widget>
  Widget& Child(const char* name) {
    auto* child = about_.findChild<Widget*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }
  QLabel& Label(const char* name) { return Child<QLabel>(name); }

  // The addresses of the starts that arrived, at least `expected` of them unless the wait ran out.
  std::vector<std::string> AwaitAddresses(const RecordingBrowser& browser, std::size_t expected) {
    std::vector<std::string> addresses;
    for (const auto& arguments : browser.AwaitStarts(expected)) {
      addresses.push_back(arguments.empty() ? std::string() : arguments.front());
    }
    return addresses;
  }

  // Mouse input through the window, as the platform delivers it: a double click arrives as a
  // click followed by a second press that the application turns into a double click.
  QPoint WebsiteInWindow() {
    QLabel& website = Label("lblWebsite");
    return website.mapTo(&about_, website.rect().center());
  }
  void ClickWebsite() {
    QTest::mouseClick(about_.windowHandle(), Qt::LeftButton, {}, WebsiteInWindow());
  }
  void DoubleClickWebsite() {
    QTest::mouseDClick(about_.windowHandle(), Qt::LeftButton, {}, WebsiteInWindow());
  }

  IsolatedHome home_;
  TfrmAbout about_;
};

TEST_F(AboutBoxTest, ShowsTheProductVersionAndMakerInItsDesignedLayout) {
  EXPECT_EQ(about_.windowTitle(), "About Lintavo");
  EXPECT_EQ(about_.size(), QSize(247, 158));
  EXPECT_EQ(about_.minimumSize(), about_.maximumSize()) << "the size is fixed";
  EXPECT_FALSE(about_.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint |
                                       Qt::WindowContextHelpButtonHint))
      << "no title-bar buttons";

  QLabel& emblem = Label("Image1");
  EXPECT_EQ(emblem.geometry(), QRect(15, 7, 30, 29));
  EXPECT_EQ(emblem.pixmap().size(), QSize(30, 29)) << "the emblem resource is registered";

  struct Text {
    const char* label;
    std::string text;
    QPoint topLeft;
  };
  const std::vector<Text> texts = {
      {"lblProductName", "Lintavo", {73, 7}},
      {"lblProductVersion", "Product Version: 2.03", {73, 30}},
      {"lblCopyright1", kCopyrightLine, {73, 59}},
      {"lblWebsite", kVendorWebSite, {73, 90}},
  };
  for (const Text& expected : texts) {
    SCOPED_TRACE(expected.label);
    const QLabel& label = Label(expected.label);
    EXPECT_EQ(label.text().toStdString(), expected.text);
    EXPECT_EQ(label.pos(), expected.topLeft);
    EXPECT_TRUE(about_.rect().contains(label.geometry())) << "within the window";
  }
  EXPECT_THAT(CaptionsThatDoNotFit(about_), IsEmpty());
  for (std::size_t upper = 0; upper + 1 < texts.size(); ++upper) {
    EXPECT_LE(Label(texts[upper].label).geometry().bottom(),
              Label(texts[upper + 1].label).geometry().top())
        << texts[upper].label << " runs into the label below";
  }

  EXPECT_TRUE(Label("lblProductName").font().bold());
  QLabel& website = Label("lblWebsite");
  EXPECT_TRUE(website.font().underline());
  EXPECT_EQ(website.palette().color(website.foregroundRole()), QColor(0, 128, 0));
  EXPECT_EQ(website.cursor().shape(), Qt::PointingHandCursor);

  QPushButton& ok = Child<QPushButton>("editAbout");
  EXPECT_EQ(ok.text(), "Ok");
  EXPECT_EQ(ok.geometry(), QRect(88, 121, 87, 21));
  EXPECT_EQ(ok.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutBoxTest, TheAddressOpensOnceForEachClickAndTwiceForADoubleClick) {
  ClickWebsite();  // no browser registered yet: nothing happens, nothing breaks
  EXPECT_TRUE(about_.isVisible());

  const RecordingBrowser browser(home_);
  ClickWebsite();
  EXPECT_THAT(AwaitAddresses(browser, 1), ElementsAre(kVendorWebSite));

  DoubleClickWebsite();
  const std::vector<std::string> addresses = AwaitAddresses(browser, 2);
  EXPECT_EQ(addresses.size(), 2u);
  EXPECT_THAT(addresses, Each(kVendorWebSite));
  EXPECT_TRUE(about_.isVisible());
}

TEST_F(AboutBoxTest, OkClosesTheBox) {
  QTest::mouseClick(&Child<QPushButton>("editAbout"), Qt::LeftButton);

  EXPECT_FALSE(about_.isVisible());
}

}  // namespace
}  // namespace lintavo::test

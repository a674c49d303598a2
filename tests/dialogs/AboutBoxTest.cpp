#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "dialogs/TfrmAbout.h"
#include "pages/ProductIdentity.h"
#include "support/RecordingBrowser.h"
#include "support/TestEnvironment.h"
#include "support/gui/CaptionFit.h"
#include "support/gui/ScriptedMessages.h"

namespace lintavo::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    about_.show();
    about_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about_));
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
  ScriptedMessages messages_;
  TfrmAbout about_{messages_};
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
  const QImage box = about_.grab().toImage();
  EXPECT_EQ(box.pixelColor(emblem.geometry().topLeft()), box.pixelColor(2, 2))
      << "the emblem is drawn transparent, its corners in the box's colour";

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
  EXPECT_EQ(ok.text(), "&OK");
  EXPECT_EQ(ok.geometry(), QRect(88, 121, 87, 21));
  EXPECT_EQ(ok.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutBoxTest, TheAddressOpensOnceForEachClickAndTwiceForADoubleClick) {
  const RecordingBrowser browser(home_);
  ClickWebsite();
  EXPECT_THAT(AwaitAddresses(browser, 1), ElementsAre(kVendorWebSite));

  DoubleClickWebsite();
  const std::vector<std::string> addresses = AwaitAddresses(browser, 2);
  EXPECT_EQ(addresses.size(), 2u);
  EXPECT_THAT(addresses, Each(kVendorWebSite));
  EXPECT_TRUE(about_.isVisible());
  EXPECT_THAT(messages_.Messages(), IsEmpty());
}

// Tab reaches the address, and Enter or Space opens it as a click does.
TEST_F(AboutBoxTest, TheAddressOpensFromTheKeyboard) {
  const RecordingBrowser browser(home_);
  QLabel& website = Label("lblWebsite");
  QTest::keyClick(about_.focusWidget(), Qt::Key_Tab);
  ASSERT_TRUE(website.hasFocus());

  QTest::keyClick(&website, Qt::Key_Return);
  QTest::keyClick(&website, Qt::Key_Space);

  EXPECT_THAT(AwaitAddresses(browser, 2), ElementsAre(kVendorWebSite, kVendorWebSite));
  EXPECT_TRUE(about_.isVisible());
}

// With no browser, the address is given in a box, so that the person can open it themselves.
TEST_F(AboutBoxTest, WithNoBrowserTheAddressIsShownInABox) {
  ClickWebsite();

  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_EQ(messages_.Messages()[0].text,
            std::string("The web site could not be opened: no web browser is set as the default "
                        "for web pages. To visit it, open this address in your browser:\n\n") +
                kVendorWebSite);
  EXPECT_EQ(messages_.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(messages_.Messages()[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(about_.isVisible());
}

TEST_F(AboutBoxTest, OkClosesTheBox) {
  QTest::mouseClick(&Child<QPushButton>("editAbout"), Qt::LeftButton);

  EXPECT_FALSE(about_.isVisible());
}

// The box opens on OK, so Enter closes it; so does Escape.
TEST_F(AboutBoxTest, EnterAndEscapeCloseTheBox) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    SCOPED_TRACE(key);
    about_.show();
    ASSERT_EQ(about_.focusWidget(), &Child<QPushButton>("editAbout"));
    QTest::keyClick(about_.focusWidget(), key);
    EXPECT_FALSE(about_.isVisible());
  }
  EXPECT_THAT(messages_.Messages(), IsEmpty());
}

}  // namespace
}  // namespace lintavo::test

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/TfrmBackground.h"
#include "os/ProfileFile.h"
#include "skin/ModalDialogs.h"
#include "support/BmpHeader.h"
#include "support/PageStoreFixture.h"
#include "support/gui/CaptionFit.h"
#include "support/gui/DesignedLayout.h"
#include "support/gui/RecordedErrors.h"
#include "support/gui/ScriptedFileDialogs.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr int kPosition = 2;  // page 3

class TfrmBackgroundTest : public ::testing::Test, public PageStoreFixture {
 protected:
  TfrmBackgroundTest() {
    PageData(kPosition + 1).Name = "Work";
    fs::create_directories(pictures_.Path() / "scans.tif");
    PutPicture(BackgroundPath(kPosition + 1), 1000, 500, Qt::blue);
  }

  // A picture of one colour, in the format its name's extension says (as Qt writes it).
  static void PutPicture(const std::string& path, int width, int height, QColor colour,
                         const char* format = nullptr) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(QString::fromStdString(path), format)) << path;
  }
  std::string Picture(const std::string& name) const { return pictures_ / name; }
  void PutStockPictures() {
    PutPicture(ProgramFolder() + "template.jpg", 30, 20, Qt::black);
    PutPicture(ProgramFolder() + "templatewhite.jpg", 20, 30, Qt::white);
  }

  TfrmBackground& Open(int position = kPosition) {
    dialog_ = std::make_unique<TfrmBackground>(Store(), position, ConfigFile());
    dialog_->show();
    return *dialog_;
  }
  // Clicks a button; the result the dialog closed with, or -1 while it stays open.
  int Click(const char* name) {
    int result = -1;
    const auto connection = QObject::connect(dialog_.get(), &QDialog::finished,
                                             [&result](int closed) { result = closed; });
    QTest::mouseClick(dialog_->findChild<QPushButton*>(name), Qt::LeftButton);
    QObject::disconnect(connection);
    return result;
  }
  void Pick(std::optional<std::string> path) {
    fileDialogs_.Then(std::move(path));
    Click("edtChangeBg");
  }
  QSize PreviewSize() const { return dialog_->findChild<QLabel*>("Image1")->pixmap().size(); }
  std::string LastFolder() const {
    return ProfileFile::Load(ConfigFile()).ReadString("Settings", "LastBackgroundFolder", "(none)");
  }
  QSize StoredSize(int pageNumber) {
    const BmpHeader header = ReadBmpHeader(ReadFileBytes(BackgroundPath(pageNumber)));
    return {header.width, header.height};
  }

  TempFolder pictures_;
  ScriptedFileDialogs fileDialogs_;
  RecordedErrors errors_;
  std::unique_ptr<TfrmBackground> dialog_;
};

TEST_F(TfrmBackgroundTest, OpensWithThePagesNameAndItsBackgroundFittedIntoThePreview) {
  Open();
  EXPECT_EQ(dialog_->findChild<QLabel*>("lblName")->text(), "Home page name:   Work");
  EXPECT_EQ(PreviewSize(), QSize(544, 272)) << "1000 x 500 fits 544 x 331 at 544 x 272";
  EXPECT_FALSE(dialog_->BlackChosen() || dialog_->WhiteChosen());
  EXPECT_EQ(dialog_->ChosenFile(), "");

  PutPicture(BackgroundPath(kPosition + 1), 100, 50, Qt::green);
  Open();
  EXPECT_EQ(PreviewSize(), QSize(544, 272)) << "a small picture is enlarged";
  PutPicture(BackgroundPath(kPosition + 1), 300, 600, Qt::green);
  Open();
  EXPECT_EQ(PreviewSize(), QSize(165, 331)) << "a tall one fits the height, truncated";
}

// A name too long for the label ends in an ellipsis, and the whole of it is the label's tooltip
// and accessible name; a short one shows whole.
TEST_F(TfrmBackgroundTest, ALongNameEndsInAnEllipsisWithTheWholeNameAsTooltip) {
  const std::string whole = "Home page name:   Arbeitsplatz und Zuhause, alles an einem Ort";
  PageData(kPosition + 1).Name = "Arbeitsplatz und Zuhause, alles an einem Ort";
  Open();
  const QLabel* name = dialog_->findChild<QLabel*>("lblName");
  const std::string shown = name->text().toStdString();
  EXPECT_THAT(shown, ::testing::StartsWith("Home page name:   Arbeitsplatz"));
  EXPECT_THAT(shown, ::testing::EndsWith("\u2026"));
  EXPECT_LT(shown.size(), whole.size());
  EXPECT_EQ(name->toolTip().toStdString(), whole);
  EXPECT_EQ(name->accessibleName().toStdString(), whole);
  EXPECT_THAT(CaptionsThatDoNotFit(*dialog_), IsEmpty());

  PageData(kPosition + 1).Name = "Work";
  Open();
  name = dialog_->findChild<QLabel*>("lblName");
  EXPECT_EQ(name->text(), "Home page name:   Work");
  EXPECT_EQ(name->toolTip(), "");
  EXPECT_EQ(name->accessibleName(), "Home page name:   Work");
}

TEST_F(TfrmBackgroundTest, ABackgroundThatCannotBeReadIsReportedAndThePreviewStaysBlack) {
  fs::remove(BackgroundPath(kPosition + 1));
  Open();
  EXPECT_THAT(errors_.Take(), ElementsAre(HasSubstr(BackgroundPath(kPosition + 1))));
  EXPECT_TRUE(dialog_->findChild<QLabel*>("Image1")->pixmap().isNull());
  EXPECT_EQ(dialog_->findChild<QLabel*>("lblName")->text(), "Home page name:   Work");
}

TEST_F(TfrmBackgroundTest, APickedPictureIsAskedForShownRememberedAndStoredAtItsOwnSize) {
  Open();
  PutPicture(Picture("Sunset.JPG"), 64, 48, Qt::red, "JPG");
  Pick(Picture("Sunset.JPG"));

  ASSERT_EQ(fileDialogs_.Requests().size(), 1U);
  const FileDialogRequest& request = fileDialogs_.Requests()[0];
  EXPECT_EQ(request.kind, FileDialogRequest::Kind::OpenFile);
  EXPECT_EQ(request.title, "Select Picture");
  EXPECT_EQ(request.filterText, "Background images (*.jpg, *.gif, *.bmp; *.tif; *.png)");
  EXPECT_THAT(request.patterns, ElementsAre("*.jpg", "*.gif", "*.bmp", "*.tif", "*.png"));
  EXPECT_EQ(request.initialFolder, Store().RootFolder) << "with no folder remembered yet";
  EXPECT_EQ(LastFolder(), pictures_.Path().string() + "/") << "remembered at the pick";
  EXPECT_EQ(PreviewSize(), QSize(441, 331));

  EXPECT_EQ(Click("bsSkinButton1"), kModalResultOk);
  EXPECT_EQ(StoredSize(kPosition + 1), QSize(64, 48));
  EXPECT_FALSE(fs::exists(PagePath(1))) << "only the background file changes";

  Open();
  Pick(std::nullopt);
  EXPECT_EQ(fileDialogs_.Requests()[1].initialFolder, pictures_.Path().string() + "/");
}

// The extension alone decides: .jpeg is a JPEG too, and a folder's name does not count.
TEST_F(TfrmBackgroundTest, TheExtensionDecidesHowAPictureIsReadAndStored) {
  const struct {
    const char* name;
    const char* format;
    QSize size;
  } pictures[] = {
      {"photo.jpeg", "JPG", {40, 30}},
      {"scans.tif/page.png", "PNG", {50, 10}},
      {"icon.bmp", "BMP", {16, 16}},
  };
  for (const auto& picture : pictures) {
    SCOPED_TRACE(picture.name);
    PutPicture(Picture(picture.name), picture.size.width(), picture.size.height(), Qt::yellow,
               picture.format);
    Open();
    Pick(Picture(picture.name));
    EXPECT_FALSE(PreviewSize().isEmpty()) << "shown";
    EXPECT_EQ(Click("bsSkinButton1"), kModalResultOk);
    EXPECT_EQ(StoredSize(kPosition + 1), picture.size);
  }
}

TEST_F(TfrmBackgroundTest, APictureThatCannotBeReadIsReportedOrLeftBlankAndNeverStored) {
  const std::string stored = ReadFileBytes(BackgroundPath(kPosition + 1));
  WriteFileBytes(Picture("damaged.png"), "not a picture");
  WriteFileBytes(Picture("notes.txt"), "no picture either");
  Open();

  // A TIFF or PNG that cannot be shown empties the preview silently and is still remembered.
  Pick(Picture("damaged.png"));
  EXPECT_TRUE(PreviewSize().isEmpty());
  EXPECT_THAT(errors_.Take(), IsEmpty());
  EXPECT_EQ(LastFolder(), pictures_.Path().string() + "/");
  EXPECT_EQ(Click("bsSkinButton1"), kModalResultOk) << "Save closes the dialog, failed or not";
  EXPECT_THAT(errors_.Take(), ElementsAre(HasSubstr(Picture("damaged.png"))));
  EXPECT_EQ(ReadFileBytes(BackgroundPath(kPosition + 1)), stored);

  // Any other picture that cannot be shown is reported and the pick goes no further.
  ProfileFile::Load(ConfigFile());
  Open();
  Click("btnReset");  // nothing: no stock pictures
  Pick(Picture("notes.txt"));
  EXPECT_THAT(errors_.Take(), ElementsAre("Unknown picture file extension (.txt)"));
  EXPECT_EQ(dialog_->ChosenFile(), Picture("notes.txt"));
  EXPECT_EQ(Click("bsSkinButton1"), kModalResultOk);
  EXPECT_THAT(errors_.Take(),
              ElementsAre("The picture \"" + Picture("notes.txt") +
                          "\" cannot be a background: only JPEG, GIF, BMP, TIFF and PNG "
                          "pictures can."));
  EXPECT_EQ(ReadFileBytes(BackgroundPath(kPosition + 1)), stored);
}

TEST_F(TfrmBackgroundTest, StockPicturesBringTheirColoursOnlyWhenChosenWithTheirButton) {
  PutTemplate("<RD>FONTCOLOR</RD> <RD>TITLECOLOR</RD>");
  PutStockPictures();
  const auto colours = [this] {
    const TWebPage& page = PageData(kPosition + 1);
    return page.TextColor + " " + page.TitleColor;
  };

  // Black, then white, then Save: the white picture with the white pair.
  Open();
  Click("btnReset");
  Click("bsSkinButton3");
  EXPECT_TRUE(dialog_->BlackChosen() && dialog_->WhiteChosen());
  EXPECT_EQ(Click("bsSkinButton1"), kModalResultOk);
  EXPECT_EQ(StoredSize(kPosition + 1), QSize(20, 30));
  EXPECT_EQ(colours(), "#000000 #0000FF");
  EXPECT_EQ(Page(kPosition + 1), "#000000 #0000FF\r\n\r\n") << "the pages are written again";
  EXPECT_EQ(ProfileFile::Load(ConfigFile()).ReadString("HOMEPAGE-3", "TitleColor", ""), "#0000FF");

  // Black, a pick cancelled, Save: black with its pair.
  Open();
  Click("btnReset");
  Pick(std::nullopt);
  EXPECT_TRUE(dialog_->BlackChosen());
  Click("bsSkinButton1");
  EXPECT_EQ(colours(), "#FFFFFF #FFFF00");

  // White, then a file picked: the file, and the colours as they were.
  PutPicture(Picture("sky.png"), 12, 8, Qt::cyan, "PNG");
  Open();
  Click("bsSkinButton3");
  Pick(Picture("sky.png"));
  EXPECT_FALSE(dialog_->BlackChosen() || dialog_->WhiteChosen());
  Click("bsSkinButton1");
  EXPECT_EQ(StoredSize(kPosition + 1), QSize(12, 8));
  EXPECT_EQ(colours(), "#FFFFFF #FFFF00");

  // A stock picture picked as a file is a file like any other.
  Open();
  Pick(ProgramFolder() + "templatewhite.jpg");
  Click("bsSkinButton1");
  EXPECT_EQ(StoredSize(kPosition + 1), QSize(20, 30));
  EXPECT_EQ(colours(), "#FFFFFF #FFFF00");
}

TEST_F(TfrmBackgroundTest, SaveWithNothingChosenOrAMissingStockPictureDoesNothing) {
  const std::string stored = ReadFileBytes(BackgroundPath(kPosition + 1));
  Open();
  Click("btnReset");
  Click("bsSkinButton3");
  EXPECT_FALSE(dialog_->BlackChosen() || dialog_->WhiteChosen());
  EXPECT_EQ(Click("bsSkinButton1"), kModalResultOk);
  EXPECT_EQ(ReadFileBytes(BackgroundPath(kPosition + 1)), stored);

  Open();
  EXPECT_EQ(Click("bsSkinButton2"), kModalResultCancel);
}

TEST_F(TfrmBackgroundTest, TheLastPagesBackgroundIsBackground10) {
  PutPicture(BackgroundPath(10), 10, 10, Qt::gray);
  PutPicture(Picture("ten.png"), 7, 5, Qt::magenta, "PNG");
  Open(9);
  Pick(Picture("ten.png"));
  Click("bsSkinButton1");
  EXPECT_EQ(StoredSize(10), QSize(7, 5));
  EXPECT_TRUE(fs::exists(Store().RootFolder + "/background10.bmp"));
}

TEST_F(TfrmBackgroundTest, KeepsItsDesignedLayout) {
  TfrmBackground& dialog = Open();
  EXPECT_EQ(dialog.windowTitle(), "Select background picture");
  EXPECT_EQ(dialog.size(), QSize(639, 412));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the size is fixed";
  EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint))
      << "no title-bar buttons";
  ExpectDesignedControls(
      dialog, {
                  {"lblName", nullptr, {7, 9, 185, 16}, false},
                  {"Panel1", nullptr, {6, 27, 546, 333}, false},
                  {"Image1", nullptr, {1, 1, 544, 331}, false},
                  {"bsSkinButton1", "&Save", {557, 29, 61, 20}, true},
                  {"bsSkinButton2", "&Cancel", {558, 58, 61, 20}, true},
                  {"edtChangeBg", "Select Background &Picture", {7, 367, 179, 20}, true},
                  {"btnReset", "Change to &black background", {190, 367, 179, 20}, true},
                  {"bsSkinButton3", "Change to &white background", {373, 367, 179, 20}, true},
              });
  EXPECT_THAT(CaptionsThatDoNotFit(dialog), IsEmpty());
  EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QWidget*>("edtChangeBg"))
      << "it opens on the choice of a picture";
  const QImage preview = dialog.findChild<QWidget*>("Panel1")->grab().toImage();
  EXPECT_EQ(preview.pixelColor(3, 3), QColor(Qt::black)) << "black around the picture";
}

}  // namespace
}  // namespace lintavo::test

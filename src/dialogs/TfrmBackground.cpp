#include "dialogs/TfrmBackground.h"

#include <QPixmap>
#include <QScopeGuard>
#include <utility>

#include "base/Failure.h"
#include "base/PathText.h"
#include "codecs/PictureStore.h"
#include "dialogs/DialogFrame.h"
#include "dialogs/PictureImages.h"
#include "os/Files.h"
#include "os/ProfileFile.h"
#include "pages/PageFiles.h"
#include "pages/WindowSettings.h"
#include "skin/ElidedText.h"
#include "skin/ErrorReporting.h"
#include "skin/FileDialogs.h"
#include "skin/ModalDialogs.h"
#include "skin/WidgetText.h"
#include "ui_TfrmBackground.h"

namespace lintavo {

namespace {

constexpr const char* kNameCaption = "Home page name:   ";

constexpr const char* kBlackPicture = "template.jpg";
constexpr const char* kWhitePicture = "templatewhite.jpg";

// The colours that suit the stock pictures: text, then title.
constexpr const char* kBlackTextColor = "#FFFFFF";
constexpr const char* kBlackTitleColor = "#FFFF00";
constexpr const char* kWhiteTextColor = "#000000";
constexpr const char* kWhiteTitleColor = "#0000FF";

const FileDialogRequest kPictureRequest = {
    FileDialogRequest::Kind::OpenFile,
    "Select Picture",
    "Background images (*.jpg, *.gif, *.bmp; *.tif; *.png)",
    {"*.jpg", "*.gif", "*.bmp", "*.tif", "*.png"},
    {},
};

// What the preview shows: the size of the picture box inside the panel's bevel.
QSize PreviewArea(const QWidget& image) {
  return image.size();
}

std::string ExtensionOf(const std::string& path) {
  const std::string name = path.substr(path.find_last_of('/') + 1);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

TfrmBackground::TfrmBackground(TWebManager& webManager, int position, std::string configFile,
                               QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TfrmBackground>()),
      webManager_(webManager),
      position_(position),
      configFile_(std::move(configFile)) {
  ui_->setupUi(this);
  UseFixedDialogFrame(*this);
  // Tab goes through the buttons as they stand, Save first; the dialog opens on the first
  // command of its design, the choice of a picture.
  ui_->edtChangeBg->setFocus();
  ConnectReportingFailures(ui_->edtChangeBg, &QPushButton::clicked, this,
                           &TfrmBackground::edtChangeBgClick);
  ConnectReportingFailures(ui_->btnReset, &QPushButton::clicked, this,
                           &TfrmBackground::btnResetClick);
  ConnectReportingFailures(ui_->bsSkinButton3, &QPushButton::clicked, this,
                           &TfrmBackground::bsSkinButton3Click);
  ConnectReportingFailures(ui_->bsSkinButton1, &QPushButton::clicked, this,
                           &TfrmBackground::bsSkinButton1Click);
  connect(ui_->bsSkinButton2, &QPushButton::clicked, this, &TfrmBackground::reject);
  FormCreate();
}

TfrmBackground::~TfrmBackground() = default;

// The page's own background shows first; when it cannot be read that is reported and the
// preview stays black. A name too long for its label ends in an ellipsis.
void TfrmBackground::FormCreate() {
  const TWebPage& page = webManager_.Pages.at(static_cast<std::size_t>(position_)).second;
  ShowElided(*ui_->lblName, ToWidgetText(kNameCaption + page.Name));
  RunReportingFailures([this] { ShowPreview(BackgroundFile()); });
}

std::string TfrmBackground::BackgroundFile() const {
  return base::JoinPath(webManager_.RootFolder, BackgroundFileName(position_ + 1));
}

std::string TfrmBackground::GetLastBackgroundFolder() const {
  return ProfileFile::Load(configFile_)
      .ReadString(kSettingsSection, kLastBackgroundFolderKey, webManager_.RootFolder);
}

void TfrmBackground::SetLastBackgroundFolder(const std::string& folder) const {
  ProfileFile settings = ProfileFile::Load(configFile_);
  settings.WriteString(kSettingsSection, kLastBackgroundFolderKey, folder);
  settings.Save();
}

void TfrmBackground::ShowPreview(const std::string& path) {
  ClearPreview();
  const std::optional<PictureFormat> format = PictureFormatOfFileName(path);
  if (!format) {
    throw Failure("Unknown picture file extension (" + ExtensionOf(path) + ")");
  }
  const QSize area = PreviewArea(*ui_->Image1);
  const QImage picture = LoadPictureImage(path, *format, area);
  ui_->Image1->setPixmap(QPixmap::fromImage(picture.scaled(
      FittedSize(picture.size(), area), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TfrmBackground::ClearPreview() {
  ui_->Image1->clear();
}

// A picked TIFF or PNG that cannot be shown leaves the preview empty without a word, as their
// readers promise; any other failure is reported and ends the pick before it is remembered (the
// picked file is chosen all the same, so Save tries it).
void TfrmBackground::edtChangeBgClick() {
  FileDialogRequest request = kPictureRequest;
  request.initialFolder = GetLastBackgroundFolder();
  const std::optional<std::string> picked = ChooseFileToOpen(this, request, PreviewOfFile);
  if (!picked) {
    return;
  }
  chosenFile_ = *picked;
  const std::optional<PictureFormat> format = PictureFormatOfFileName(chosenFile_);
  if (format == PictureFormat::kTiff || format == PictureFormat::kPng) {
    try {
      ShowPreview(chosenFile_);
    } catch (const Failure&) {
      ClearPreview();
    }
  } else {
    ShowPreview(chosenFile_);
  }
  whiteChosen_ = false;
  blackChosen_ = false;
  SetLastBackgroundFolder(base::WithTrailingDelimiter(base::ParentFolder(chosenFile_)));
}

void TfrmBackground::btnResetClick() {
  ChooseStockPicture(kBlackPicture, blackChosen_);
}

void TfrmBackground::bsSkinButton3Click() {
  ChooseStockPicture(kWhitePicture, whiteChosen_);
}

void TfrmBackground::ChooseStockPicture(const char* fileName, bool& chosenFlag) {
  const std::string picture = webManager_.ProgramFolder() + fileName;
  if (!os::FileExists(picture)) {
    return;
  }
  chosenFile_ = picture;
  ShowPreview(picture);
  chosenFlag = true;
}

// The dialog closes after Save whatever happens in it; a failure is reported as it closes. A stock
// picture chosen with its button brings its colours and rewrites all pages; any other picture
// changes the background file alone, which the page already names.
void TfrmBackground::bsSkinButton1Click() {
  const auto close = qScopeGuard([this] { done(kModalResultOk); });
  if (!os::FileExists(chosenFile_)) {
    return;
  }
  StoreAsBitmap(chosenFile_, BackgroundFile());
  TWebPage& page = webManager_.Pages.at(static_cast<std::size_t>(position_)).second;
  const std::string programFolder = webManager_.ProgramFolder();
  if (chosenFile_ == programFolder + kBlackPicture && blackChosen_) {
    page.TextColor = kBlackTextColor;
    page.TitleColor = kBlackTitleColor;
  } else if (chosenFile_ == programFolder + kWhitePicture && whiteChosen_) {
    page.TextColor = kWhiteTextColor;
    page.TitleColor = kWhiteTitleColor;
  } else {
    return;
  }
  webManager_.SavePages();
  webManager_.GeneratePages();
}

// Every picture is stored as a bitmap by the reader its extension names; one the program cannot
// read is refused with a clear message and the old background stays.
void TfrmBackground::StoreAsBitmap(const std::string& source, const std::string& target) const {
  const std::optional<PictureFormat> format = PictureFormatOfFileName(source);
  if (!format) {
    throw Failure("The picture \"" + source +
                  "\" cannot be a background: only JPEG, GIF, BMP, TIFF and PNG pictures can.");
  }
  StorePictureAsBitmap(source, *format, target);
}

void TfrmBackground::reject() {
  done(kModalResultCancel);
}

}  // namespace lintavo

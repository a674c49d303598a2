#include "app/TfrmMain.h"

#include <QGuiApplication>
#include <QScreen>
#include <utility>

#include "app/AppResources.h"
#include "app/HomePageCommand.h"
#include "base/Failure.h"
#include "base/PathText.h"
#include "dialogs/BrowserOpening.h"
#include "help/HelpEngine.h"
#include "os/ProfileFile.h"
#include "os/WindowHandle.h"
#include "pages/ConfigLocation.h"
#include "pages/PageFiles.h"
#include "pages/ProductIdentity.h"
#include "pages/WindowSettings.h"
#include "skin/ErrorReporting.h"
#include "skin/ModalDialogs.h"
#include "skin/WidgetText.h"
#include "ui_TfrmMain.h"

namespace lintavo {

namespace {

constexpr const char* kCommandNotAvailable = "This command is not available in this version.";
constexpr const char* kHelpFileName = "Lintavo.chm";
constexpr const char* kHelpNotAvailable =
    "Help is not available: the help viewer could not be loaded.";

// What the commands that open the browser say when there is none to open.
constexpr const char* kCannotViewPage =
    "The page could not be shown: no web browser is set as the default for web pages. To see it, "
    "open this file in your browser:";
constexpr const char* kCannotOpenUpdatePage =
    "The update page could not be opened: no web browser is set as the default for web pages. "
    "To look for updates, open this address in your browser:";

}  // namespace

TfrmMain::TfrmMain(std::string programFolder, MessageService& messages, MainWindowDialogs dialogs,
                   QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TfrmMain>()),
      programFolder_(std::move(programFolder)),
      messages_(messages),
      dialogs_(std::move(dialogs)),
      helpKey_([this] { btnHelpClick(); }) {
  // A fixed-size window with a minimize button and no maximize button. Set before the controls
  // exist: setting it later makes the style polish every control again.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  ui_->setupUi(this);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  ui_->imgLogo->setPixmap(LogoBanner(devicePixelRatioF()));

  // The list runs its change handler only when the user picks a page; setting the position from
  // code does not.
  ConnectReportingFailures(ui_->cbxWebPages, &QComboBox::activated, this,
                           &TfrmMain::cbxWebPagesChange);
  ConnectReportingFailures(ui_->btnEditLinks, &QPushButton::clicked, this,
                           &TfrmMain::btnEditLinksClick);
  ConnectReportingFailures(ui_->btnEditBackground, &QPushButton::clicked, this,
                           &TfrmMain::btnEditBackgroundClick);
  ConnectReportingFailures(ui_->btnView, &QPushButton::clicked, this, &TfrmMain::btnViewClick);
  ConnectReportingFailures(ui_->btnSetHomePage, &QPushButton::clicked, this,
                           &TfrmMain::btnSetHomePageClick);
  ConnectReportingFailures(ui_->bsSkinButton1, &QPushButton::clicked, this,
                           &TfrmMain::bsSkinButton1Click);
  ConnectReportingFailures(ui_->editAbout, &QPushButton::clicked, this, &TfrmMain::editAboutClick);
  ConnectReportingFailures(ui_->btnHelp, &QPushButton::clicked, this, &TfrmMain::btnHelpClick);
  ConnectReportingFailures(ui_->btnClose, &QPushButton::clicked, this, &TfrmMain::btnCloseClick);
  ConnectReportingFailures(ui_->imgLogo, &PictureBox::clicked, this, &TfrmMain::imgLogoClick);
  ConnectReportingFailures(ui_->bsSkinButton2, &QPushButton::clicked, this,
                           &TfrmMain::bsSkinButton2Click);

  FormCreate();
}

TfrmMain::~TfrmMain() = default;

int TfrmMain::SelectedPosition() const {
  return ui_->cbxWebPages->currentIndex();
}

TWebManager& TfrmMain::WebManager() {
  if (!webManager_) {
    throw Failure("The home pages could not be loaded when the program started.");
  }
  return *webManager_;
}

// Start-up. A step that fails is reported and ends start-up there; the window opens all the
// same. Edit and Select Background then stay disabled, as the window was designed, because the
// change handler that enables them never ran.
void TfrmMain::FormCreate() {
  setWindowTitle(QString::fromLatin1(kProductName));
  RunReportingFailures([this] {
    configFile_ = LocateConfigFile(programFolder_);
    // One reading of the settings file serves the pages, the stored position and its storing
    // again: the steps in between write the pages folder only.
    ProfileFile settings = ProfileFile::Load(configFile_);
    webManager_ = std::make_unique<TWebManager>(settings, programFolder_);
    webManager_->InstallDefaultBackgrounds();
    webManager_->InstallLogo();
    webManager_->GeneratePages();
    FillPageList();
    SelectLastPage(settings);
  });
}

void TfrmMain::FillPageList() {
  ui_->cbxWebPages->clear();
  for (const auto& entry : webManager_->Pages) {
    ui_->cbxWebPages->addItem(ToWidgetText(entry.second.Name));
  }
}

// The position is taken as stored, without a range check: a value outside the list selects no
// page, and the change handler then stores -1 for the next start.
void TfrmMain::SelectLastPage(ProfileFile& settings) {
  if (ui_->cbxWebPages->count() == 0) {
    return;
  }
  ui_->cbxWebPages->setCurrentIndex(settings.ReadInteger(kSettingsSection, kLastPageKey, 0));
  StoreSelectedPosition(settings);
}

// The choice is stored at once, so it survives however the program ends. When it cannot be
// stored, the error ends the handler before the buttons change.
void TfrmMain::cbxWebPagesChange() {
  ProfileFile settings = ProfileFile::Load(configFile_);
  StoreSelectedPosition(settings);
}

void TfrmMain::StoreSelectedPosition(ProfileFile& settings) {
  const int position = SelectedPosition();
  settings.WriteInteger(kSettingsSection, kLastPageKey, position);
  settings.Save();
  const bool pageSelected = position != kNoPage;
  ui_->btnEditLinks->setEnabled(pageSelected);
  ui_->btnEditBackground->setEnabled(pageSelected);
}

// The dialog saves the pages and writes their HTML before it closes with OK; the list only takes
// up the new names, keeping its position without running the change handler.
void TfrmMain::btnEditLinksClick() {
  if (ShowCommandDialog(dialogs_.pageSettings) != kModalResultOk) {
    return;
  }
  const int position = SelectedPosition();
  FillPageList();
  ui_->cbxWebPages->setCurrentIndex(position);
}

void TfrmMain::btnEditBackgroundClick() {
  ShowCommandDialog(dialogs_.background);
}

// The browser's answer is not awaited. With no browser registered, the person is told which file
// to open.
void TfrmMain::btnViewClick() {
  const int position = SelectedPosition();
  if (position == kNoPage) {
    messages_.MessageDlg(kNoPageSelected, MessageKind::Information, MessageButtons::Ok);
    return;
  }
  OpenInBrowserOrSay(base::JoinPath(WebManager().RootFolder, PageFileName(position + 1)),
                     kCannotViewPage, messages_);
}

// With no page selected the command asks for one and needs no pages folder.
void TfrmMain::btnSetHomePageClick() {
  const int position = SelectedPosition();
  const std::string rootFolder = position == kNoPage ? std::string() : WebManager().RootFolder;
  SetSelectedPageAsHomePage(position, rootFolder, messages_);
}

void TfrmMain::bsSkinButton1Click() {
  ShowCommandDialog(dialogs_.options);
}

void TfrmMain::editAboutClick() {
  ShowCommandDialog(dialogs_.about);
}

// The help opens in the engine's own window, owned by the desktop rather than this window, so
// both stay usable. Neither the help file nor the engine's answer is checked: the engine shows a
// missing file itself. Without an engine there is nothing to call, and the command says so.
void TfrmMain::btnHelpClick() {
  const HtmlHelpFunction htmlHelp = HtmlHelpEntry();
  if (htmlHelp == nullptr) {
    messages_.MessageDlg(kHelpNotAvailable, MessageKind::Information, MessageButtons::Ok);
    return;
  }
  const std::string helpFile = programFolder_ + kHelpFileName;
  htmlHelp(os::DesktopWindow(), helpFile.c_str(), HH_DISPLAY_TOPIC, 0);
}

void TfrmMain::btnCloseClick() {
  close();
}

void TfrmMain::imgLogoClick() {
  OpenVendorWebSite(messages_);
}

// Only opens the vendor's update page; no versions are compared.
void TfrmMain::bsSkinButton2Click() {
  OpenInBrowserOrSay(kVendorUpdatePage, kCannotOpenUpdatePage, messages_);
}

int TfrmMain::ShowCommandDialog(const DialogFactory& createDialog) {
  if (!createDialog) {
    messages_.MessageDlg(kCommandNotAvailable, MessageKind::Information, MessageButtons::Ok);
    return kModalResultCancel;
  }
  const std::unique_ptr<QDialog> dialog = createDialog(*this);
  return ShowModal(*dialog);
}

}  // namespace lintavo

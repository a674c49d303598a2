#include "pages/WebManager.h"

#include "base/PathText.h"
#include "codecs/JpegConversion.h"
#include "os/Files.h"
#include "os/ProfileFile.h"
#include "os/Registry.h"
#include "os/ShellFolders.h"
#include "pages/PageFiles.h"

namespace lintavo {

namespace {

constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kPagesFolderName = "My Home Pages";
constexpr const char* kLogoFileName = "logo.bmp";

std::string DocumentsFolder() {
  const auto key = os::RegistryKey::OpenForReading(os::RegistryRoot::CurrentUser, kShellFoldersKey);
  if (!key) {
    return {};
  }
  const auto value = key->Query("Personal");
  return value && value->type == os::RegistryValueType::String ? value->text : std::string();
}

// The pages live in "My Home Pages" in the user's documents folder. When the system names none
// (a new or minimal account), they stay beside a copy of the program that is the person's own,
// such as one they unpacked or built, and otherwise go to the documents folder the desktop would
// make, made now: an installed program's folder is not the person's to fill.
std::string FindRootFolder(const std::string& programFolder) {
  std::string documents = DocumentsFolder();
  if (documents.empty() && !os::IsOwnWritableFolder(programFolder)) {
    documents = os::GetSpecialFolder(os::SpecialFolder::kPersonal);
    // When it cannot be made either, the page writes report the folder they cannot write.
    os::ForceDirectories(documents);
  }
  if (!documents.empty()) {
    return base::JoinPath(documents, kPagesFolderName);
  }
  return programFolder + kPagesFolderName;
}

// The keys of the cell in row r, column c, in the order they are read and written.
struct CellKeys {
  std::string caption1, caption2, target;
};

CellKeys KeysOfCell(int row, int column) {
  const std::string cell = std::to_string(row) + "-" + std::to_string(column);
  return {"Caption-" + cell + "-1", "Caption-" + cell + "-2", "Target-" + cell};
}

}  // namespace

TWebManager::TWebManager(std::string configFile, std::string programFolder)
    : TWebManager(ProfileFile::Load(configFile), std::move(programFolder)) {}

TWebManager::TWebManager(const ProfileFile& settings, std::string programFolder)
    : RootFolder(FindRootFolder(programFolder)),
      configFile_(settings.Path()),
      programFolder_(std::move(programFolder)) {
  // Only the last level is created; when that fails the page writes report it later.
  if (!os::DirectoryExists(RootFolder)) {
    os::CreateDir(RootFolder);
  }
  LoadPages(settings);
}

void TWebManager::LoadPages(const ProfileFile& file) {
  Pages.clear();
  Pages.reserve(kPageCount);
  for (int n = 1; n <= kPageCount; ++n) {
    const std::string section = PageSection(n);
    TWebPage page;
    page.PageNumber = n;
    page.Name = file.ReadString(section, "Name", "Home page " + std::to_string(n));
    page.TextColor = file.ReadString(section, "TextColor", kDefaultTextColor);
    page.TitleColor = file.ReadString(section, "TitleColor", kDefaultTitleColor);
    page.CaptionLines1.reserve(kGridCells);
    page.CaptionLines2.reserve(kGridCells);
    page.Targets.reserve(kGridCells);
    for (int row = 1; row <= kGridRows; ++row) {
      for (int column = 1; column <= kGridColumns; ++column) {
        const CellKeys keys = KeysOfCell(row, column);
        page.CaptionLines1.push_back(file.ReadString(section, keys.caption1, ""));
        page.CaptionLines2.push_back(file.ReadString(section, keys.caption2, ""));
        page.Targets.push_back(file.ReadString(section, keys.target, ""));
      }
    }
    Pages.emplace_back(section, std::move(page));
  }
}

void TWebManager::SavePages() const {
  ProfileFile file = ProfileFile::Load(configFile_);
  // Sections and files follow the list position, not the PageNumber field.
  for (int n = 1; n <= static_cast<int>(Pages.size()); ++n) {
    const TWebPage& page = Pages[static_cast<std::size_t>(n - 1)].second;
    const std::string section = PageSection(n);
    file.WriteString(section, "Name", page.Name);
    file.WriteString(section, "TextColor", page.TextColor);
    file.WriteString(section, "TitleColor", page.TitleColor);
    for (int row = 1; row <= kGridRows; ++row) {
      for (int column = 1; column <= kGridColumns; ++column) {
        const CellKeys keys = KeysOfCell(row, column);
        const auto cell = static_cast<std::size_t>(CellIndex(row, column));
        file.WriteString(section, keys.caption1, page.CaptionLines1[cell]);
        file.WriteString(section, keys.caption2, page.CaptionLines2[cell]);
        file.WriteString(section, keys.target, page.Targets[cell]);
      }
    }
  }
  file.Save();
}

void TWebManager::InstallDefaultBackgrounds() const {
  for (int n = 1; n <= kPageCount; ++n) {
    const std::string installed = base::JoinPath(RootFolder, BackgroundFileName(n));
    // Looked for only when needed: after the first start every page has its bitmap, and the
    // search reads the program folder through.
    if (os::FileExists(installed)) {
      continue;
    }
    const std::string shipped =
        os::FindFileIgnoringCase(programFolder_, "background" + std::to_string(n) + ".JPG");
    ConvertIfMissing(shipped, installed);
  }
}

void TWebManager::InstallLogo() const {
  const std::string installed = base::JoinPath(RootFolder, kLogoFileName);
  const std::string shipped = programFolder_ + kLogoFileName;
  if (!os::FileExists(installed) && os::FileExists(shipped)) {
    os::CopyFileTo(shipped, installed);
  }
}

void TWebManager::ConvertIfMissing(const std::string& source, const std::string& dest) {
  if (os::FileExists(source) && !os::FileExists(dest)) {
    ConvertJpegToBitmap(source, dest);
  }
}

}  // namespace lintavo

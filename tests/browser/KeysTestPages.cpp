#include "browser/KeysTestPages.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "pages/PageFiles.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

namespace {

// The installed data files: the template and the two stock pictures.
const std::string kDataFolder = LINTAVO_DATA_DIR;

// The colours the background dialog gives a page with the white stock picture.
constexpr const char* kTextOnWhite = "#000000";
constexpr const char* kTitleOnWhite = "#0000FF";

// A file:// address, percent-encoded as browsers show it.
std::string FileUrl(const std::string& path) {
  std::string url = "file://";
  for (const char character : path) {
    const auto byte = static_cast<unsigned char>(character);
    if (std::isalnum(byte) || std::string_view("/-._~").find(character) != std::string::npos) {
      url += character;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      url += escaped;
    }
  }
  return url;
}

void PutLinks(TWebPage& page) {
  const auto link = [&page](int row, int column, const std::string& line1, const std::string& line2,
                            const std::string& target) {
    const auto cell = static_cast<std::size_t>(CellIndex(row, column));
    page.CaptionLines1[cell] = line1;
    page.CaptionLines2[cell] = line2;
    page.Targets[cell] = target;
  };
  link(1, 1, "News", "", "news.htm");
  link(1, 2, "Mail", "work", "mail.htm");
  link(1, 3, "", "", "ghost.htm");
  link(1, 4, "Weather", "", "forecast.htm");
  link(2, 1, "Real estate", "", "homes.htm");
  link(2, 3, "Q&A \"it's\"", "<b>bold</b></script>", "qa.htm?x=1&y=2");
}

}  // namespace

KeysTestPages::KeysTestPages() {
  store_.PutTemplate(ReadFileBytes(kDataFolder + "/template.htm"));
  WriteFileBytes(store_.ProgramFolder() + "template.jpg",
                 ReadFileBytes(kDataFolder + "/template.jpg"));
  TWebManager::ConvertIfMissing(kDataFolder + "/templatewhite.jpg", store_.BackgroundPath(2));
  store_.PageData(2).TextColor = kTextOnWhite;
  store_.PageData(2).TitleColor = kTitleOnWhite;
  PutLinks(store_.PageData(1));
  PutLinks(store_.PageData(2));
  store_.Store().GeneratePages();

  for (const char* target : {"news", "mail", "ghost", "forecast", "homes", "qa"}) {
    WriteFileBytes(store_.Store().RootFolder + "/" + target + ".htm",
                   "<!DOCTYPE html><title>" + std::string(target) + "</title>");
  }
}

std::string KeysTestPages::PageUrl(int n) {
  return FileUrl(store_.Store().RootFolder + "/" + PageFileName(n));
}

std::string KeysTestPages::LinkUrl(const std::string& target) {
  return FileUrl(store_.Store().RootFolder + "/") + target;
}

}  // namespace lintavo::test

#include "browser/KeysTestPages.h"

#include <map>

#include "browser/PageBrowser.h"
#include "pages/PageFiles.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

namespace {

// The installed data files: the template and the two stock pictures.
const std::string kDataFolder = LINTAVO_DATA_DIR;

// The colours the background dialog gives a page with the white stock picture.
constexpr const char* kTextOnWhite = "#000000";
constexpr const char* kTitleOnWhite = "#0000FF";

const char* const kTargets[] = {"news", "mail", "ghost", "forecast", "homes", "qa"};

std::map<std::string, std::string> TargetPages() {
  std::map<std::string, std::string> pages;
  for (const char* target : kTargets) {
    pages[std::string(target) + ".htm"] =
        "<!DOCTYPE html><title>" + std::string(target) + "</title>";
  }
  return pages;
}

void PutLinks(TWebPage& page, const LinkServer& links) {
  const auto link = [&](int row, int column, const std::string& line1, const std::string& line2,
                        const std::string& target) {
    const auto cell = static_cast<std::size_t>(CellIndex(row, column));
    page.CaptionLines1[cell] = line1;
    page.CaptionLines2[cell] = line2;
    page.Targets[cell] = links.Url(target);
  };
  link(1, 1, "News", "", "news.htm");
  link(1, 2, "Mail", "work", "mail.htm");
  link(1, 3, "", "", "ghost.htm");
  link(1, 4, "Weather", "", "forecast.htm");
  link(2, 1, "Real estate", "", "homes.htm");
  link(2, 3, "Q&A \"it's\"", "<b>bold</b></script>", "qa.htm?x=1&y=2");
}

}  // namespace

KeysTestPages::KeysTestPages() : links_(TargetPages()) {
  store_.PutTemplate(ReadFileBytes(kDataFolder + "/template.htm"));
  WriteFileBytes(store_.ProgramFolder() + "template.jpg",
                 ReadFileBytes(kDataFolder + "/template.jpg"));
  TWebManager::ConvertIfMissing(kDataFolder + "/templatewhite.jpg", store_.BackgroundPath(2));
  store_.PageData(2).TextColor = kTextOnWhite;
  store_.PageData(2).TitleColor = kTitleOnWhite;
  PutLinks(store_.PageData(1), links_);
  PutLinks(store_.PageData(2), links_);
  store_.Store().GeneratePages();
}

std::string KeysTestPages::PageUrl(int n) {
  return FileUrl(store_.Store().RootFolder + "/" + PageFileName(n));
}

std::string KeysTestPages::LinkUrl(const std::string& target) const {
  return links_.Url(target);
}

std::string KeysTestPages::TargetOf(const std::string& url) const {
  const std::string base = links_.Url("");
  return url.starts_with(base) ? url.substr(base.size()) : url;
}

}  // namespace lintavo::test

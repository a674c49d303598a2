// Fuzz target for template substitution and page generation. The input is split at '|' into
//
//   placeholder | replacement | template | name of page 1 | ... | name of page 10 |
//   caption line 1 | caption line 2 | target | caption line 1 | ...
//
// Missing fields are empty. The template's text gets the placeholder replaced, and the result must
// agree with the plain definition of a replacement; then the ten pages are generated from the
// template with those names and links: all ten are written.
// Link cell m (from 0) goes to page 1 + m % 10, at grid position (13 m) % 48, so a few cells
// already reach several rows and columns.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "os/Failure.h"
#include "os/PathText.h"
#include "pages/PageFiles.h"
#include "pages/TextSubstitution.h"
#include "pages/WebManager.h"

namespace {

namespace fs = std::filesystem;
namespace fuzz = lintavo::fuzz;
using lintavo::TWebManager;

constexpr char kFieldSeparator = '|';
constexpr std::size_t kFirstNameField = 3;
constexpr std::size_t kFirstCellField = kFirstNameField + lintavo::kPageCount;
constexpr std::size_t kCellSpread = 13;  // coprime with the 48 cells, so cells spread over all

std::vector<std::string_view> Fields(std::string_view input) {
  std::vector<std::string_view> fields;
  for (std::size_t end = input.find(kFieldSeparator); end != std::string_view::npos;
       end = input.find(kFieldSeparator)) {
    fields.push_back(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  fields.push_back(input);
  return fields;
}

// The template's line ends are CR LF after every line, and nothing else of its text up to the
// first NUL is lost or added.
void CheckTemplateText(std::string_view bytes, const std::string& text) {
  const auto withoutLineEnds = [](std::string_view from) {
    std::string kept;
    for (const char c : from) {
      if (c != '\r' && c != '\n') {
        kept += c;
      }
    }
    return kept;
  };
  fuzz::ExpectEqual("the template's text without its line ends",
                    withoutLineEnds(bytes.substr(0, bytes.find('\0'))), withoutLineEnds(text));
  fuzz::Expect(text.find('\0') == std::string::npos, "the template's text holds a NUL byte");
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      const bool inCrLf = text.compare(i, 2, "\r\n") == 0 || (i > 0 && text[i - 1] == '\r');
      fuzz::Expect(inCrLf, "the template's text has a line end that is not CR LF");
    }
  }
  fuzz::Expect(text.empty() || text.ends_with("\r\n"), "the template's last line has no CR LF");
}

// A replacement by its definition, one character at a time: an occurrence of the placeholder is
// replaced and skipped, anything else is copied; an empty placeholder occurs nowhere.
std::string ReplacedByDefinition(std::string_view text, std::string_view placeholder,
                                 std::string_view replacement, bool firstOnly) {
  std::string result;
  bool replaced = false;
  for (std::size_t i = 0; i < text.size();) {
    if (!placeholder.empty() && !(firstOnly && replaced) &&
        text.substr(i, placeholder.size()) == placeholder) {
      result.append(replacement);
      i += placeholder.size();
      replaced = true;
    } else {
      result += text[i++];
    }
  }
  return result;
}

template <typename Replace>
void CheckReplacement(const char* name, Replace replace, const std::string& text,
                      std::string_view placeholder, std::string_view replacement, bool firstOnly) {
  std::string replaced = text;
  replace(replaced, placeholder, replacement);
  fuzz::ExpectEqual(name, ReplacedByDefinition(text, placeholder, replacement, firstOnly),
                    replaced);
}

// One page store for the whole process: its program folder holds the template, its pages folder
// the ten pages, and its pages start from the defaults each run.
class PageStore {
 public:
  PageStore()
      : programFolder_(fuzz::Scratch::Get() / "program/"),
        store_(MakeStore(programFolder_)),
        defaultPages_(store_->Pages) {}

  // The store with its default pages and no page files, so each run shows which pages it wrote.
  TWebManager& Reset() {
    store_->Pages = defaultPages_;
    for (int n = 1; n <= lintavo::kPageCount; ++n) {
      fs::remove(PagePath(n));
    }
    return *store_;
  }
  void PutTemplate(std::string_view bytes) const {
    fuzz::WriteBytes(programFolder_ + "template.htm", bytes);
  }
  std::string PagePath(int n) const {
    return lintavo::os::JoinPath(store_->RootFolder, lintavo::PageFileName(n));
  }

 private:
  static std::unique_ptr<TWebManager> MakeStore(const std::string& programFolder) {
    fs::create_directories(programFolder);
    return std::make_unique<TWebManager>(fuzz::Scratch::Get() / "config.ini", programFolder);
  }

  std::string programFolder_;
  std::unique_ptr<TWebManager> store_;
  std::vector<std::pair<std::string, lintavo::TWebPage>> defaultPages_;
};

void FillPages(TWebManager& store, const std::vector<std::string_view>& fields) {
  for (std::size_t page = 0; page < store.Pages.size(); ++page) {
    if (kFirstNameField + page < fields.size()) {
      store.Pages[page].second.Name = fields[kFirstNameField + page];
    }
  }
  for (std::size_t field = kFirstCellField, cell = 0; field < fields.size(); field += 3, ++cell) {
    lintavo::TWebPage& page = store.Pages[cell % store.Pages.size()].second;
    const std::size_t position = cell * kCellSpread % lintavo::kGridCells;
    page.CaptionLines1[position] = fields[field];
    if (field + 1 < fields.size()) {
      page.CaptionLines2[position] = fields[field + 1];
    }
    if (field + 2 < fields.size()) {
      page.Targets[position] = fields[field + 2];
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> fields = Fields(fuzz::AsText(data, size));
  const auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : ""; };

  const std::string text = lintavo::TemplateText(field(2));
  CheckTemplateText(field(2), text);
  CheckReplacement("ReplaceAll", lintavo::ReplaceAll, text, field(0), field(1), false);
  CheckReplacement("ReplaceFirst", lintavo::ReplaceFirst, text, field(0), field(1), true);

  static PageStore pages;
  TWebManager& store = pages.Reset();
  FillPages(store, fields);
  pages.PutTemplate(field(2));
  try {
    store.GeneratePages();
  } catch (const lintavo::Failure& failure) {
    fuzz::Fail(std::string("GeneratePages failed: ") + failure.what());
  }
  for (int n = 1; n <= lintavo::kPageCount; ++n) {
    fuzz::Expect(fs::exists(pages.PagePath(n)), "GeneratePages left a page unwritten");
  }
  return 0;
}

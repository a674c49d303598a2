// Fuzz target for template substitution and page generation. The input is split at '|' into
//
//   placeholder | replacement | template | name of page 1 | ... | name of page 10 |
//   caption line 1 | caption line 2 | target | caption line 1 | ...
//
// Missing fields are empty. The template's text gets the placeholder replaced, and the result must
// agree with the plain definition of a replacement; then the ten pages are generated from the
// template with those names and links, the placeholder as every page's text colour and the
// replacement as its title colour: all ten are written. Link cell m (from 0) goes to page
// 1 + m % 10, at grid position (13 m) % 48, so a few cells already reach several rows and columns.
//
// Then the same again with every "&", "<", ">", '"' and "'" of the names, links and colours (not
// the template) replaced by a stand-in: a control byte that the input does not hold, one for each
// of the five, which escaping leaves as it is. Page data makes no markup, so the pages must come
// out the same but for the stand-ins, each where the first pages hold its character reference: no
// character of the page data reaches a page as itself, and everything else of it goes in unchanged.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "base/Failure.h"
#include "base/PathText.h"
#include "os/Files.h"
#include "pages/PageFiles.h"
#include "pages/TextSubstitution.h"
#include "pages/WebManager.h"

namespace {

namespace fs = std::filesystem;
namespace fuzz = lintavo::fuzz;
using lintavo::TWebManager;

constexpr char kFieldSeparator = '|';
constexpr std::size_t kTextColorField = 0;
constexpr std::size_t kTitleColorField = 1;
constexpr std::size_t kTemplateField = 2;
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

// The characters that escaping changes, with the character reference each becomes.
struct Escape {
  char character;
  std::string_view reference;
};
constexpr std::array<Escape, 5> kEscapes = {
    {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}}};

// A stand-in for each of kEscapes, in its order.
using StandIns = std::array<char, kEscapes.size()>;

// Five control bytes that `input` does not hold (not NUL, CR or LF, which the settings file and
// the template treat apart); nothing when it holds too many of them.
std::optional<StandIns> UnusedStandIns(std::string_view input) {
  std::array<bool, 256> used{};
  for (const char c : input) {
    used[static_cast<unsigned char>(c)] = true;
  }
  used['\r'] = used['\n'] = true;
  StandIns standIns{};
  std::size_t found = 0;
  for (int byte = 0x01; byte < 0x20 && found < standIns.size(); ++byte) {
    if (!used[static_cast<std::size_t>(byte)]) {
      standIns[found++] = static_cast<char>(byte);
    }
  }
  return found == standIns.size() ? std::optional(standIns) : std::nullopt;
}

std::string WithStandIns(std::string_view text, const StandIns& standIns) {
  std::string replaced(text);
  for (char& c : replaced) {
    for (std::size_t i = 0; i < kEscapes.size(); ++i) {
      if (c == kEscapes[i].character) {
        c = standIns[i];
      }
    }
  }
  return replaced;
}

// `text` with each stand-in replaced by the character reference of the character it stands for.
std::string WithReferences(std::string_view text, const StandIns& standIns) {
  std::string replaced;
  for (const char c : text) {
    const auto* standIn = std::find(standIns.begin(), standIns.end(), c);
    if (standIn == standIns.end()) {
      replaced += c;
    } else {
      replaced += kEscapes[static_cast<std::size_t>(standIn - standIns.begin())].reference;
    }
  }
  return replaced;
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
    return lintavo::base::JoinPath(store_->RootFolder, lintavo::PageFileName(n));
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

PageStore& ThePageStore() {
  static PageStore pages;
  return pages;
}

// Fields are text (std::string_view or std::string); there is always at least one.
template <typename Field>
void FillPages(TWebManager& store, const std::vector<Field>& fields) {
  for (std::size_t n = 0; n < store.Pages.size(); ++n) {
    lintavo::TWebPage& page = store.Pages[n].second;
    page.TextColor = fields[kTextColorField];
    if (kTitleColorField < fields.size()) {
      page.TitleColor = fields[kTitleColorField];
    }
    if (kFirstNameField + n < fields.size()) {
      page.Name = fields[kFirstNameField + n];
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

// Generates the ten pages from `templateBytes` and `fields` and returns them; all ten must be
// written.
template <typename Field>
std::vector<std::string> GeneratedPages(std::string_view templateBytes,
                                        const std::vector<Field>& fields) {
  PageStore& pages = ThePageStore();
  TWebManager& store = pages.Reset();
  FillPages(store, fields);
  pages.PutTemplate(templateBytes);
  try {
    store.GeneratePages();
  } catch (const lintavo::Failure& failure) {
    fuzz::Fail(std::string("GeneratePages failed: ") + failure.what());
  }
  std::vector<std::string> texts;
  for (int n = 1; n <= lintavo::kPageCount; ++n) {
    std::string text;
    fuzz::Expect(lintavo::os::ReadWholeFile(pages.PagePath(n), text) == 0,
                 "GeneratePages left a page unwritten");
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::vector<std::string_view> fields = Fields(input);
  const auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : ""; };

  const std::string text = lintavo::TemplateText(field(kTemplateField));
  CheckTemplateText(field(kTemplateField), text);
  CheckReplacement("ReplaceAll", lintavo::ReplaceAll, text, field(0), field(1), false);
  CheckReplacement("ReplaceFirst", lintavo::ReplaceFirst, text, field(0), field(1), true);

  const std::vector<std::string> pages = GeneratedPages(field(kTemplateField), fields);
  const std::optional<StandIns> standIns = UnusedStandIns(input);
  if (!standIns) {
    return 0;
  }
  std::vector<std::string> fieldsWithStandIns;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fieldsWithStandIns.push_back(i == kTemplateField ? std::string(fields[i])
                                                     : WithStandIns(fields[i], *standIns));
  }
  const std::vector<std::string> pagesWithStandIns =
      GeneratedPages(field(kTemplateField), fieldsWithStandIns);
  for (std::size_t n = 0; n < pages.size(); ++n) {
    fuzz::ExpectEqual("page " + std::to_string(n + 1) + ", its data's special characters escaped",
                      WithReferences(pagesWithStandIns[n], *standIns), pages[n]);
  }
  return 0;
}

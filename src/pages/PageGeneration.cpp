// Writing the ten HTML pages from the template beside the program.
//
// Names, captions, targets and colours come from the settings file, which a person or another
// program may have written, so each goes into a page as text that cannot make markup: its "&", "<",
// ">", '"' and "'" become character references, wherever in the template it lands. Only the
// program's own markup (the line break between a caption's two lines, the message rows, the
// column-hiding fragments) stays markup. A colour that is no CSS colour becomes the page's default
// one, and a target with a scheme the link editor refuses ("javascript:", "data:") becomes "#", a
// link to the page itself. Text that holds none of those five characters goes in unchanged.
//
// Escaped text holds no "<" or ">", so no name or link brings in a placeholder for a later step to
// expand: a page grows with its template and its texts, never by repeating them.
#include <bitset>
#include <utility>
#include <vector>

#include "base/Failure.h"
#include "base/PathText.h"
#include "os/Files.h"
#include "os/SystemError.h"
#include "pages/CssColors.h"
#include "pages/HtmlEscaping.h"
#include "pages/LinkTargets.h"
#include "pages/PageFiles.h"
#include "pages/TextSubstitution.h"
#include "pages/WebManager.h"

namespace lintavo {

namespace {

// Shown in place of <RD>MSG</RD> on a page without a single link caption.
constexpr std::string_view kNoLinksMessageRows =
    "<tr valign=\"bottom\"><td colspan=\"6\" class=\"white\"></td></tr><tr valign=\"bottom\">"
    "<td colspan=\"6\" class=\"white\">Edit this page with Lintavo to change the background and "
    "add links.</td></tr>";

constexpr std::string_view kHiddenColumnWidth = "width=\"0\"";

// Where a link whose target is refused leads: the page itself, which it neither leaves nor reloads.
constexpr std::string_view kRefusedTarget = "#";

// Every placeholder begins with it, which lets MarkedText find them without searching the page.
constexpr std::string_view kPlaceholderStart = "<RD>";

std::string Placeholder(std::string_view name) {
  return std::string(kPlaceholderStart) + std::string(name) + "</RD>";
}

std::string Placeholder(std::string_view name, int number) {
  return Placeholder(std::string(name) + std::to_string(number));
}

// Cells are numbered by row and column written one after the other: row 2, column 7 is 27.
std::string CellPlaceholder(std::string_view name, int row, int column) {
  return Placeholder(name, row * 10 + column);
}

std::string ColumnFragment(int column) {
  return "id=\"" + std::to_string(column) + "\" width=\"120\"";
}

// The two lines as text, with a line break between them when both are there.
std::string CaptionText(const std::string& line1, const std::string& line2) {
  if (!line1.empty() && !line2.empty()) {
    return EscapedForHtml(line1) + "<br>" + EscapedForHtml(line2);
  }
  return EscapedForHtml(line1 + line2);
}

// An empty target stays empty, as a cell without a link has it.
std::string LinkTarget(const std::string& target) {
  if (target.empty() || HasAcceptedScheme(target)) {
    return EscapedForHtml(target);
  }
  return std::string(kRefusedTarget);
}

std::string PageColor(const std::string& color, std::string_view defaultColor) {
  return EscapedForHtml(IsCssColor(color) ? color : defaultColor);
}

using PageList = std::vector<std::pair<std::string, TWebPage>>;
// Column c (1 to 8) is set when a cell of column c has a caption.
using ColumnSet = std::bitset<kGridColumns + 1>;

// The columns in which the page has a cell with a caption.
ColumnSet CaptionedColumns(const TWebPage& page) {
  ColumnSet columns;
  for (int row = 1; row <= kGridRows; ++row) {
    for (int column = 1; column <= kGridColumns; ++column) {
      const auto cell = static_cast<std::size_t>(CellIndex(row, column));
      if (!page.CaptionLines1[cell].empty() || !page.CaptionLines2[cell].empty()) {
        columns.set(static_cast<std::size_t>(column));
      }
    }
  }
  return columns;
}

std::string ReadTemplate(const std::string& path) {
  std::string bytes;
  if (const os::ErrorCode error = os::ReadWholeFile(path, bytes)) {
    throw Failure("Cannot open file \"" + path + "\". " + os::SystemErrorMessage(error));
  }
  return TemplateText(bytes);
}

void WritePage(const std::string& path, const std::string& text) {
  // Most starts make the very pages that are already there; those are left as they are.
  std::string existing;
  if (os::ReadWholeFile(path, existing) == 0 && existing == text) {
    return;
  }
  // Pages are made again at every start, so they are not flushed to disk one by one.
  if (const os::ErrorCode error = os::WriteFileAtomically(path, text, os::FileKind::Generated)) {
    throw Failure("Cannot create file \"" + path + "\". " + os::SystemErrorMessage(error));
  }
}

// The HTML of page n of `pages`; `names` holds the pages' names as text, in the same order.
std::string PageText(const std::string& templateText, const PageList& pages,
                     const std::vector<std::string>& names, int n, const ColumnSet& usedColumns) {
  const TWebPage& page = pages[static_cast<std::size_t>(n - 1)].second;
  MarkedText text(templateText, kPlaceholderStart);
  text.ReplaceAll(Placeholder("BACKGROUND"), BackgroundFileName(n));
  text.ReplaceAll(Placeholder("NAME"), names[static_cast<std::size_t>(n - 1)]);
  text.ReplaceAll(Placeholder("FONTCOLOR"), PageColor(page.TextColor, kDefaultTextColor));
  text.ReplaceAll(Placeholder("TITLECOLOR"), PageColor(page.TitleColor, kDefaultTitleColor));
  text.ReplaceAll(Placeholder("OVERCOLOR", n), "yellow");
  for (int k = 1; k <= static_cast<int>(pages.size()); ++k) {
    text.ReplaceAll(Placeholder("OVERCOLOR", k), "white");
    text.ReplaceAll(Placeholder("HOMEPAGE", k), names[static_cast<std::size_t>(k - 1)]);
  }

  bool pageHasLinks = false;
  for (int row = 1; row <= kGridRows; ++row) {
    for (int column = 1; column <= kGridColumns; ++column) {
      const auto cell = static_cast<std::size_t>(CellIndex(row, column));
      text.ReplaceAll(CellPlaceholder("TARGET", row, column), LinkTarget(page.Targets[cell]));
      const std::string caption = CaptionText(page.CaptionLines1[cell], page.CaptionLines2[cell]);
      pageHasLinks = pageHasLinks || !caption.empty();
      text.ReplaceAll(CellPlaceholder("CAPTION", row, column), caption);
    }
  }

  // Columns right of the last used one collapse; an empty column left of a used one stays.
  if (usedColumns.any()) {
    int lastUsedColumn = kGridColumns;
    while (!usedColumns.test(static_cast<std::size_t>(lastUsedColumn))) {
      --lastUsedColumn;
    }
    for (int column = lastUsedColumn + 1; column <= kGridColumns; ++column) {
      text.ReplaceFirst(ColumnFragment(column), kHiddenColumnWidth);
    }
  }

  text.ReplaceAll(Placeholder("MSG"), pageHasLinks ? std::string_view() : kNoLinksMessageRows);
  std::string pageText = text.Take();
  pageText += "\r\n";
  return pageText;
}

}  // namespace

void TWebManager::GeneratePages() const {
  const std::string templatePath = programFolder_ + "template.htm";
  if (!os::FileExists(templatePath)) {
    return;
  }
  const std::string templateText = ReadTemplate(templatePath);
  // Every page shows every page's name in its navigation.
  std::vector<std::string> names;
  names.reserve(Pages.size());
  for (const auto& [key, page] : Pages) {
    names.push_back(EscapedForHtml(page.Name));
  }
  // Columns that carry a caption on any page of this run so far. It is not reset between pages,
  // so a page keeps every column an earlier page of the run uses.
  ColumnSet usedColumns;

  for (int n = 1; n <= static_cast<int>(Pages.size()); ++n) {
    const TWebPage& page = Pages[static_cast<std::size_t>(n - 1)].second;
    usedColumns |= CaptionedColumns(page);
    WritePage(base::JoinPath(RootFolder, PageFileName(n)),
              PageText(templateText, Pages, names, n, usedColumns));
    ConvertIfMissing(programFolder_ + "template.jpg",
                     base::JoinPath(RootFolder, BackgroundFileName(n)));
  }
}

}  // namespace lintavo

// Writing the ten HTML pages from the template beside the program.
#include <bitset>

#include "os/Failure.h"
#include "os/Files.h"
#include "os/SystemError.h"
#include "pages/PageFiles.h"
#include "pages/TextSubstitution.h"
#include "pages/WebManager.h"

namespace lintavo {

namespace {

// Shown in place of <RD>MSG</RD> on a page without a single link caption.
constexpr std::string_view kNoLinksMessageRows =
    "<tr valign=\"bottom\"><td colspan=\"6\" class=\"white\"></td></tr><tr valign=\"bottom\">"
    "<td colspan=\"6\" class=\"white\">Edit this page using using the Lintavo to change the "
    "background and add links.</td></tr>";

constexpr std::string_view kHiddenColumnWidth = "width=\"0\"";

std::string Placeholder(std::string_view name) {
  return "<RD>" + std::string(name) + "</RD>";
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

std::string CaptionText(const std::string& line1, const std::string& line2) {
  if (!line1.empty() && !line2.empty()) {
    return line1 + "<br>" + line2;
  }
  return line1 + line2;
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

}  // namespace

void TWebManager::GeneratePages() const {
  const std::string templatePath = programFolder_ + "template.htm";
  if (!os::FileExists(templatePath)) {
    return;
  }
  const std::string templateText = ReadTemplate(templatePath);
  const int pageCount = static_cast<int>(Pages.size());

  // Columns that carry a caption on any page written so far in this run. It is not reset between
  // pages, so a page keeps every column an earlier page of the run uses.
  std::bitset<kGridColumns + 1> usedColumns;

  for (int n = 1; n <= pageCount; ++n) {
    const TWebPage& page = Pages[static_cast<std::size_t>(n - 1)].second;
    std::string text = templateText;
    ReplaceAll(text, Placeholder("BACKGROUND"), BackgroundFileName(n));
    ReplaceAll(text, Placeholder("NAME"), page.Name);
    ReplaceAll(text, Placeholder("FONTCOLOR"), page.TextColor);
    ReplaceAll(text, Placeholder("TITLECOLOR"), page.TitleColor);
    ReplaceAll(text, Placeholder("OVERCOLOR", n), "yellow");
    for (int k = 1; k <= pageCount; ++k) {
      ReplaceAll(text, Placeholder("OVERCOLOR", k), "white");
      ReplaceAll(text, Placeholder("HOMEPAGE", k),
                 Pages[static_cast<std::size_t>(k - 1)].second.Name);
    }

    bool pageHasLinks = false;
    for (int row = 1; row <= kGridRows; ++row) {
      for (int column = 1; column <= kGridColumns; ++column) {
        const auto cell = static_cast<std::size_t>(CellIndex(row, column));
        ReplaceAll(text, CellPlaceholder("TARGET", row, column), page.Targets[cell]);
        const std::string caption = CaptionText(page.CaptionLines1[cell], page.CaptionLines2[cell]);
        if (!caption.empty()) {
          pageHasLinks = true;
          usedColumns.set(static_cast<std::size_t>(column));
        }
        ReplaceAll(text, CellPlaceholder("CAPTION", row, column), caption);
      }
    }

    // Columns right of the last used one collapse; an empty column left of a used one stays.
    if (usedColumns.any()) {
      int lastUsedColumn = kGridColumns;
      while (!usedColumns.test(static_cast<std::size_t>(lastUsedColumn))) {
        --lastUsedColumn;
      }
      for (int column = lastUsedColumn + 1; column <= kGridColumns; ++column) {
        ReplaceFirst(text, ColumnFragment(column), kHiddenColumnWidth);
      }
    }

    ReplaceAll(text, Placeholder("MSG"), pageHasLinks ? std::string_view() : kNoLinksMessageRows);

    text += "\r\n";
    WritePage(PathInFolder(RootFolder, PageFileName(n)), text);
    ConvertIfMissing(programFolder_ + "template.jpg",
                     PathInFolder(RootFolder, BackgroundFileName(n)));
  }
}

}  // namespace lintavo

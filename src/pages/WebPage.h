#pragma once

#include <string>
#include <vector>

namespace lintavo {

// The link grid of a page: 6 rows of 8 cells. The cell in row r, column c (both from 1) is list
// position (r - 1) * kGridColumns + (c - 1) of the three parallel lists.
inline constexpr int kGridRows = 6;
inline constexpr int kGridColumns = 8;
inline constexpr int kGridCells = kGridRows * kGridColumns;

inline constexpr int CellIndex(int row, int column) {
  return (row - 1) * kGridColumns + (column - 1);
}

// One start page. Copies are plain value copies; the page settings dialog edits one and copies it
// back on save.
struct TWebPage {
  int PageNumber = 0;  // 1 to 10
  std::string Name;
  std::string TitleColor;  // "#RRGGBB", kept as given
  std::string TextColor;   // "#RRGGBB", kept as given
  // Once loaded, each holds exactly kGridCells entries; entries are replaced, never added or
  // removed.
  std::vector<std::string> CaptionLines1;
  std::vector<std::string> CaptionLines2;
  std::vector<std::string> Targets;

  bool operator==(const TWebPage&) const = default;
};

}  // namespace lintavo

#pragma once

#include <QComboBox>
#include <cstdint>

namespace lintavo {

// A drop-down list of exactly sixteen named colours (black, maroon, green, ... white), each drawn
// as a swatch followed by its name, with no item for a custom colour. Colours are values laid out
// 0x00BBGGRR, as the page's colour routines give them.
class ColorBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ColorBox(QWidget* parent = nullptr);

  // Selects the item of `color`; a colour that is not one of the sixteen selects no item.
  void SetColor(std::uint32_t color);
  // The selected item's colour; 0 (black) when no item is selected.
  std::uint32_t Color() const;
};

}  // namespace lintavo

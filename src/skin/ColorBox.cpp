#include "skin/ColorBox.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace lintavo {

namespace {

struct NamedColor {
  const char* name;
  std::uint32_t value;  // 0x00BBGGRR
};

constexpr std::array<NamedColor, 16> kColors = {{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};

constexpr int kSwatchSize = 12;
// Every swatch has a thin dark frame, so that White shows on the list's white too.
constexpr QColor kSwatchFrame(0x4a, 0x5a, 0x6a);

QPixmap Swatch(std::uint32_t value) {
  QPixmap swatch(kSwatchSize, kSwatchSize);
  swatch.fill(kSwatchFrame);
  QPainter painter(&swatch);
  painter.fillRect(1, 1, kSwatchSize - 2, kSwatchSize - 2,
                   QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                          static_cast<int>((value >> 16) & 0xFF)));
  return swatch;
}

}  // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
  setIconSize(QSize(kSwatchSize, kSwatchSize));
  for (const NamedColor& color : kColors) {
    addItem(Swatch(color.value), QString::fromLatin1(color.name), QVariant::fromValue(color.value));
  }
}

void ColorBox::SetColor(std::uint32_t color) {
  setCurrentIndex(findData(QVariant::fromValue(color)));
}

std::uint32_t ColorBox::Color() const {
  return currentIndex() < 0 ? 0 : currentData().value<std::uint32_t>();
}

}  // namespace lintavo

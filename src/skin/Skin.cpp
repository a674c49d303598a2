#include "skin/Skin.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

// Q_INIT_RESOURCE declares the resource's registration function where it is used, so it must be
// used outside any namespace.
static void RegisterSkinQrc() {
  Q_INIT_RESOURCE(skin);
}

namespace lintavo {

namespace {

constexpr const char* kStyleSheetResource = ":/skin/lintavo.qss";
constexpr const char* kFontResource = ":/skin/fonts/DejaVuSansCondensed-Latin.ttf";

QString ReadStyleSheet() {
  QFile sheet(kStyleSheetResource);
  if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text)) {
    return {};
  }
  return QString::fromUtf8(sheet.readAll());
}

}  // namespace

void ApplySkin(QApplication& application) {
  // The skin lies in a static library, whose resources are missing until registered.
  RegisterSkinQrc();
  // The style sheet leaves what it does not describe (check marks, arrows) to the base style;
  // Fusion draws those the same on every desktop.
  QApplication::setStyle(QStringLiteral("Fusion"));
  QFontDatabase::addApplicationFont(kFontResource);
  QFont font(kSkinFontFamily);
  font.setPixelSize(kSkinFontPixelSize);
  QApplication::setFont(font);
  application.setStyleSheet(ReadStyleSheet());
}

}  // namespace lintavo

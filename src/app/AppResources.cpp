#include "app/AppResources.h"

#include <QtGlobal>

#include "skin/BuiltInPictures.h"

// Q_INIT_RESOURCE declares the registration function at the scope it is used in, so it must run
// outside any namespace.
static void RegisterAppQrc() {
  Q_INIT_RESOURCE(app);
}

namespace lintavo {

void RegisterAppResources() {
  RegisterAppQrc();
}

QPixmap LogoBanner(qreal devicePixelRatio) {
  if (devicePixelRatio <= 1) {
    return BuiltInPpmPicture(":/app/logo-banner.ppm");
  }
  QPixmap banner = BuiltInPpmPicture(":/app/logo-banner@2x.ppm");
  banner.setDevicePixelRatio(2);
  return banner;
}

}  // namespace lintavo

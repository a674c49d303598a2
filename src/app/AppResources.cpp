#include "app/AppResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function at the scope it is used in, so it must run
// outside any namespace.
static void RegisterAppQrc() {
  Q_INIT_RESOURCE(app);
}

namespace lintavo {

void RegisterAppResources() {
  RegisterAppQrc();
}

}  // namespace lintavo

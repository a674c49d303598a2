#include "app/GuiResources.h"

#include <QtGlobal>

#include "app/AppResources.h"

// Q_INIT_RESOURCE declares the resource's registration function where it is used, so it must be
// used outside any namespace.
static void RegisterSkinResources() {
  Q_INIT_RESOURCE(skin);
}

namespace lintavo {

void RegisterGuiResources() {
  RegisterSkinResources();
  RegisterAppResources();
}

}  // namespace lintavo

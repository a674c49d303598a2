// The help engine's one export. The program finds this module through the help engine's class
// registration and calls HtmlHelpA by name.
#include <QApplication>
#include <QPointer>
#include <type_traits>

#include "diagnostics/ElfVersion.h"
#include "help/HtmlHelpInterface.h"
#include "help/engine/HelpWindow.h"

namespace {

using lintavo::help::HelpWindow;

// The module's file version, the program's own, where the diagnostics report reads it.
LINTAVO_VERSION_SECTION constexpr std::uint16_t kModuleVersion[4] = {LINTAVO_VERSION_NUMBERS};

// The one help window; a second call raises it instead of opening another.
QPointer<HelpWindow> helpWindow;

HelpWindow& TheHelpWindow() {
  if (!helpWindow) {
    helpWindow = new HelpWindow;
    // The window's code lives in this module, which the program releases after its event loop
    // ends: the window goes first.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, helpWindow.data(),
                     [] { delete helpWindow.data(); });
  }
  return *helpWindow;
}

}  // namespace

// The calling window is not the help window's owner: the help stands on its own, and the
// program's windows stay usable beside it. Only HH_DISPLAY_TOPIC is known; other commands, and
// calls from a process without a widget application, do nothing and answer 0.
extern "C" Q_DECL_EXPORT lintavo::os::WindowHandle HtmlHelpA(lintavo::os::WindowHandle,
                                                             const char* path,
                                                             std::uint32_t command,
                                                             std::uintptr_t) {
  if (command != lintavo::HH_DISPLAY_TOPIC || qobject_cast<QApplication*>(qApp) == nullptr) {
    return 0;
  }
  HelpWindow& window = TheHelpWindow();
  const std::string file = path ? path : "";
  if (window.Path() != file || !window.isVisible()) {
    window.Open(file);
  }
  window.show();
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.raise();
  window.activateWindow();
  return static_cast<lintavo::os::WindowHandle>(window.winId());
}

static_assert(std::is_same_v<decltype(&HtmlHelpA), lintavo::HtmlHelpFunction>,
              "HtmlHelpA has the type the program calls it by");

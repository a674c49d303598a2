#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDialog>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <string>

#include "app/AppResources.h"
#include "app/TApplication.h"
#include "skin/ErrorReporting.h"
#include "skin/FileDialogs.h"
#include "skin/ModalDialogs.h"
#include "skin/Skin.h"
#include "support/TestEnvironment.h"

namespace {

QtMessageHandler qtMessages = nullptr;

// The offscreen platform warns about every window it cannot size by hints; that says nothing
// about the program and would bury what does.
void DropOffscreenNoise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text == QLatin1String("This plugin does not support propagateSizeHints()")) {
    return;
  }
  qtMessages(type, context, text);
}

}  // namespace

// Window tests run on Qt's offscreen platform inside one isolated home, so no test needs a
// display or touches the real home of the person running it. The application is the program's
// own, with its resources and skin, so windows behave and measure as they do in the program.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  qtMessages = qInstallMessageHandler(DropOffscreenNoise);
  lintavo::test::IsolatedHome home;
  lintavo::TApplication application(argc, argv);
  // Tests close windows without an event loop to end.
  lintavo::TApplication::setQuitOnLastWindowClosed(false);
  lintavo::RegisterAppResources();
  lintavo::ApplySkin(application);

  // Nothing may wait for a person or go unseen: a dialog that no test answers, or an error that
  // no test records, fails the test that caused it.
  const lintavo::ScopedModalStandIn unansweredDialogs([](QDialog& dialog) {
    ADD_FAILURE() << "A dialog was shown that no test answers: " << dialog.metaObject()->className()
                  << " \"" << dialog.windowTitle().toStdString() << "\"";
    return static_cast<int>(QDialog::Rejected);
  });
  const lintavo::ScopedFileDialogStandIn unansweredFileDialogs(
      [](const lintavo::FileDialogRequest& request) -> std::optional<std::string> {
        ADD_FAILURE() << "A file dialog was shown that no test answers: \"" << request.title
                      << "\"";
        return std::nullopt;
      });
  const lintavo::ScopedErrorReporter unexpectedErrors([](const std::string& message) {
    ADD_FAILURE() << "An error was reported that no test expects: " << message;
  });
  return RUN_ALL_TESTS();
}

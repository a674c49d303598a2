#include <gtest/gtest.h>

#include <QDialog>

#include "skin/ModalDialogs.h"

namespace lintavo::test {
namespace {

TEST(ModalDialogsTest, TheInnermostStandInAnswersAndTheOuterOneComesBack) {
  QDialog dialog;
  const ScopedModalStandIn outer([](QDialog&) { return 7; });
  {
    const ScopedModalStandIn inner([](QDialog& shown) {
      shown.setObjectName("seen by the inner stand-in");
      return kModalResultOk;
    });
    EXPECT_EQ(ShowModal(dialog), kModalResultOk);
    EXPECT_EQ(dialog.objectName(), "seen by the inner stand-in");
  }
  EXPECT_EQ(ShowModal(dialog), 7);
}

}  // namespace
}  // namespace lintavo::test

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <functional>
#include <stdexcept>

#include "app/ErrorReporting.h"
#include "os/Failure.h"
#include "support/gui/RecordedErrors.h"

namespace lintavo::test {
namespace {

using ::testing::ElementsAre;

// A button whose handler does whatever the test asks, clicked as a person would, so that the
// click travels through the application's event delivery.
class ThrowingButton {
 public:
  explicit ThrowingButton(std::function<void()> handler) {
    QObject::connect(&button_, &QPushButton::clicked, [handler] { handler(); });
    button_.resize(80, 20);
    button_.show();
  }
  void Click() { QTest::mouseClick(&button_, Qt::LeftButton); }

 private:
  QPushButton button_;
};

TEST(ErrorHandling, WhatAHandlerLetsThroughIsReportedAndTheWindowGoesOn) {
  RecordedErrors errors;
  int clicks = 0;
  std::function<void()> next;
  ThrowingButton button([&] {
    ++clicks;
    next();
  });

  next = [] { throw Failure("Unable to write to /somewhere/config.ini"); };
  button.Click();
  next = [] { throw std::runtime_error("a standard error"); };
  button.Click();
  next = [] { throw 42; };
  button.Click();
  next = [] {};
  button.Click();

  EXPECT_EQ(clicks, 4);
  EXPECT_THAT(errors.Messages(), ElementsAre("Unable to write to /somewhere/config.ini",
                                             "a standard error", kUnexpectedErrorText));
}

TEST(ErrorHandling, RunReportingFailuresSaysWhetherTheActionRanToItsEnd) {
  RecordedErrors errors;
  EXPECT_TRUE(RunReportingFailures([] {}));
  EXPECT_FALSE(RunReportingFailures([] { throw Failure("first step failed"); }));
  EXPECT_THAT(errors.Messages(), ElementsAre("first step failed"));
}

}  // namespace
}  // namespace lintavo::test

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <functional>
#include <stdexcept>
#include <utility>

#include "base/Failure.h"
#include "skin/ErrorReporting.h"
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

// A window's handler as the windows connect theirs: what it throws is reported before it could
// reach Qt's code.
class ReportingButton : public QObject {
 public:
  explicit ReportingButton(std::function<void()> handler) : handler_(std::move(handler)) {
    ConnectReportingFailures(&button_, &QPushButton::clicked, this, &ReportingButton::Handle);
    button_.resize(80, 20);
    button_.show();
  }
  void Click() { QTest::mouseClick(&button_, Qt::LeftButton); }

 private:
  void Handle() { handler_(); }

  std::function<void()> handler_;
  QPushButton button_;
};

TEST(ErrorHandlingTest, AConnectedHandlersFailureIsReportedAndTheNextClickRunsIt) {
  RecordedErrors errors;
  int clicks = 0;
  ReportingButton button([&] {
    if (++clicks == 1) {
      throw Failure("Unable to write to /somewhere/config.ini");
    }
  });
  button.Click();
  button.Click();
  EXPECT_EQ(clicks, 2);
  EXPECT_THAT(errors.Messages(), ElementsAre("Unable to write to /somewhere/config.ini"));
}

// The application's last line of defence, for a handler not connected that way. The exceptions
// pass through Qt's code here, which leaves Qt's objects in those frames behind (LeakSanitizer
// reports them): the reason every window connects its handlers as above.
TEST(ErrorHandlingTest, WhatAHandlerLetsThroughIsReportedAndTheWindowGoesOn) {
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

TEST(ErrorHandlingTest, RunReportingFailuresSaysWhetherTheActionRanToItsEnd) {
  RecordedErrors errors;
  EXPECT_TRUE(RunReportingFailures([] {}));
  EXPECT_FALSE(RunReportingFailures([] { throw Failure("first step failed"); }));
  EXPECT_THAT(errors.Messages(), ElementsAre("first step failed"));
}

}  // namespace
}  // namespace lintavo::test

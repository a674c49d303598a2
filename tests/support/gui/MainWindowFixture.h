#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/TfrmMain.h"
#include "support/TestEnvironment.h"
#include "support/gui/RecordedErrors.h"
#include "support/gui/ScriptedMessages.h"
#include "support/gui/ScriptedModals.h"

namespace lintavo::test {

// A main window over a program folder and a home of its own. Messages, dialogs and reported
// errors are scripted and recorded; an error that a test does not take fails it.
class MainWindowFixture : public ::testing::Test {
 protected:
  MainWindowFixture();
  void TearDown() override {
    EXPECT_TRUE(errors_.Messages().empty()) << "unexpected error: " << errors_.Messages().front();
  }

  // The program folder, ending in a delimiter, as the window expects it.
  std::string ProgramFolder() const { return program_.Path().string() + "/"; }
  void PutProgramFile(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(ProgramFolder() + name, bytes);
  }
  // A page template that shows the page's name.
  void PutTemplate() const {
    PutProgramFile("template.htm", "<html><title><RD>NAME</RD></title></html>");
  }
  // A JPEG picture of one colour, `width` x `height`, beside the program.
  void PutJpeg(const std::string& name, int width, int height) const;

  std::string ConfigFile() const;
  void PutSettings(const std::string& text) const { WriteFileBytes(ConfigFile(), text); }
  void PutLastPage(const std::string& value) const {
    PutSettings("[Settings]\r\nLastPage=" + value + "\r\n");
  }
  // The stored LastPage text, "(missing)" when there is none.
  std::string StoredLastPage() const;

  // The pages folder the window will use: the isolated home has a documents folder, so that where
  // the pages go does not depend on who runs the tests (see WebManagerTest for the other places).
  std::string PagesFolder() const { return DocumentsFolder() + "/My Home Pages"; }

  TfrmMain& Start(MainWindowDialogs dialogs = InstalledDialogs());
  TfrmMain& Window() { return *window_; }

  QComboBox& PageList() const;
  QPushButton& Button(const char* name) const;
  void Click(const char* name) const { QTest::mouseClick(&Button(name), Qt::LeftButton); }
  // Picks the page at `position` with the keyboard, as a person would, one step at a time.
  void PickPage(int position) const;
  std::vector<std::string> PageNames() const;

  std::string DocumentsFolder() const { return home_.Home() + "/Documents"; }

  IsolatedHome home_;
  TempFolder program_;
  ScriptedMessages messages_;
  ScriptedModals modals_;
  RecordedErrors errors_;
  std::unique_ptr<TfrmMain> window_;
};

}  // namespace lintavo::test

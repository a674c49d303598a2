#include "support/gui/MainWindowFixture.h"

#include <QColor>
#include <QImage>
#include <filesystem>

#include "os/ProfileFile.h"
#include "pages/ConfigLocation.h"
#include "pages/PageFiles.h"

namespace lintavo::test {

void MainWindowFixture::PutJpeg(const std::string& name, int width, int height) const {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(QColor(40, 90, 160));
  ASSERT_TRUE(picture.save(QString::fromStdString(ProgramFolder() + name), "JPG"));
}

std::string MainWindowFixture::ConfigFile() const {
  return LocateConfigFile(ProgramFolder());
}

std::string MainWindowFixture::StoredLastPage() const {
  return ProfileFile::Load(ConfigFile()).ReadString("Settings", "LastPage", "(missing)");
}

MainWindowFixture::MainWindowFixture() {
  std::filesystem::create_directories(DocumentsFolder());
}

TfrmMain& MainWindowFixture::Start(MainWindowDialogs dialogs) {
  window_.reset();
  window_ = std::make_unique<TfrmMain>(ProgramFolder(), messages_, std::move(dialogs));
  window_->show();
  return *window_;
}

QComboBox& MainWindowFixture::PageList() const {
  return *window_->findChild<QComboBox*>("cbxWebPages");
}

QPushButton& MainWindowFixture::Button(const char* name) const {
  auto* button = window_->findChild<QPushButton*>(name);
  EXPECT_NE(button, nullptr) << name;
  return *button;
}

void MainWindowFixture::PickPage(int position) const {
  QComboBox& list = PageList();
  for (int step = 0; step < 2 * kPageCount && list.currentIndex() != position; ++step) {
    QTest::keyClick(&list, list.currentIndex() < position ? Qt::Key_Down : Qt::Key_Up);
  }
}

std::vector<std::string> MainWindowFixture::PageNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < PageList().count(); ++i) {
    names.push_back(PageList().itemText(i).toStdString());
  }
  return names;
}

}  // namespace lintavo::test

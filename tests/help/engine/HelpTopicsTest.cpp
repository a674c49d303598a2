#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <set>
#include <string>

#include "help/engine/ChmArchive.h"
#include "help/engine/HelpBrowser.h"
#include "help/engine/HelpFile.h"
#include "os/PlatformWording.h"

namespace lintavo::help {
namespace {

// The help file the build compiled from help/, read as the help window reads it.
class HelpTopicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    archive_ = ChmArchive::Open(LINTAVO_HELP_FILE);
    file_ = HelpFile::Open(LINTAVO_HELP_FILE);
    ASSERT_TRUE(archive_ && file_);
  }

  // The topics' paths inside the file ("/editing.htm").
  std::set<std::string> Topics() const {
    std::set<std::string> topics;
    for (const std::string& path : archive_->ObjectPaths()) {
      if (path.ends_with(".htm")) {
        topics.insert(path);
      }
    }
    return topics;
  }

  // A topic as the help window lays it out.
  void LayOut(const std::string& topic, QTextDocument& document) const {
    const auto html = file_->Read(topic);
    ASSERT_TRUE(html) << topic;
    document.setHtml(QString::fromUtf8(html->data(), static_cast<qsizetype>(html->size())));
  }

  static std::string PageOf(const std::string& link) {
    return HelpBrowser::PageUrl(link).path().toStdString();
  }

  std::unique_ptr<ChmArchive> archive_;
  std::unique_ptr<HelpFile> file_;
};

TEST_F(HelpTopicsTest, EveryTopicIsInTheContentsAndTheIndexAndEveryEntryAndLinkLeadsSomewhere) {
  const std::set<std::string> topics = Topics();
  ASSERT_GE(topics.size(), 10U);

  const auto pagesNamedBy = [&](const std::vector<SiteMapEntry>& entries, const char* list) {
    std::set<std::string> pages;
    for (const SiteMapEntry& entry : entries) {
      if (!entry.local.empty()) {
        EXPECT_TRUE(topics.contains(PageOf(entry.local)))
            << list << " entry \"" << entry.name << "\" leads to " << entry.local;
        pages.insert(PageOf(entry.local));
      }
    }
    return pages;
  };
  const std::set<std::string> inContents = pagesNamedBy(file_->Contents(), "contents");
  const std::set<std::string> inIndex = pagesNamedBy(file_->Index(), "index");

  for (const std::string& topic : topics) {
    SCOPED_TRACE(topic);
    EXPECT_TRUE(inContents.contains(topic)) << "no contents entry leads to the topic";
    EXPECT_TRUE(inIndex.contains(topic)) << "no index entry leads to the topic";

    // Every link and picture of the topic is in the file.
    QTextDocument document;
    LayOut(topic, document);
    const QUrl base = HelpBrowser::PageUrl(topic);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextCharFormat format = fragment.fragment().charFormat();
        const QString target =
            format.isImageFormat() ? format.toImageFormat().name() : format.anchorHref();
        const QUrl url = base.resolved(QUrl(target));
        if (!target.isEmpty() && url.scheme() == base.scheme()) {
          EXPECT_TRUE(archive_->Read(url.path().toStdString()))
              << "leads to " << target.toStdString();
        }
      }
    }
  }
}

// The topics name the commands of this build's options dialog as the dialog shows them.
TEST_F(HelpTopicsTest, TheTopicsNameTheOptionsAsThisBuildWordsThem) {
  const auto caption = [](const char* text) {
    return QString::fromUtf8(text).replace(QRegularExpression("&(.)"), "\\1");
  };
  const os::PlatformWording& wording = os::Wording();
  QTextDocument document;
  LayOut("/options.htm", document);
  const QString options = document.toPlainText();
  EXPECT_TRUE(options.contains(caption(wording.quickLaunchEntry))) << options.toStdString();
  EXPECT_TRUE(options.contains("press " + caption(wording.okButton))) << options.toStdString();
  std::string topicsNamingActiveX;
  for (const std::string& topic : Topics()) {
    LayOut(topic, document);
    if (document.toPlainText().contains("ActiveX")) {
      topicsNamingActiveX += topic + " ";
    }
  }
  EXPECT_EQ(!topicsNamingActiveX.empty(), wording.offersActiveContentSetting)
      << "the ActiveX setting is named in: " << topicsNamingActiveX;
}

}  // namespace
}  // namespace lintavo::help

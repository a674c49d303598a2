#pragma once

#include <QTextBrowser>
#include <QUrl>

namespace lintavo::help {

class HelpFile;

// Shows the pages of a help file, with their pictures, style sheets and links, all read from the
// file. A page's address is "chm:" followed by its path inside the file, so links between pages
// resolve as they do between files.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);

  // The file whose pages are shown; nullptr shows none. The file must outlive its use here.
  void SetHelpFile(const HelpFile* file) { file_ = file; }

  // The address of a link from the file's root ("intro.htm", "/intro.htm#top").
  static QUrl PageUrl(const std::string& link);

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  const HelpFile* file_ = nullptr;
};

}  // namespace lintavo::help

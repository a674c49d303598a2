#include "help/engine/HelpBrowser.h"

#include <QTextDocument>

#include "help/engine/HelpFile.h"

namespace lintavo::help {

namespace {

constexpr const char* kScheme = "chm";

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setObjectName("helpPage");
}

QUrl HelpBrowser::PageUrl(const std::string& link) {
  return QUrl(QString(kScheme) + ":/").resolved(QUrl(QString::fromUtf8(link)));
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  const QUrl url = name.isRelative() ? source().resolved(name) : name;
  if (file_ == nullptr || url.scheme() != kScheme) {
    return QVariant();
  }
  const auto bytes = file_->Read(url.path().toStdString());
  if (!bytes) {
    // A link to a page the file lacks says so instead of showing an empty page.
    return type == QTextDocument::HtmlResource
               ? QVariant("<h2>This page cannot be shown</h2><p>The help file does not hold <b>" +
                          url.path().toHtmlEscaped() + "</b>, or that part of it is damaged.</p>")
               : QVariant();
  }
  QByteArray contents(bytes->data(), static_cast<qsizetype>(bytes->size()));
  // A style sheet is taken as text; pages are decoded by the charset they declare, pictures by
  // their format.
  return type == QTextDocument::StyleSheetResource ? QVariant(QString::fromUtf8(contents))
                                                   : QVariant(contents);
}

}  // namespace lintavo::help

#include "help/engine/HelpBrowser.h"

#include <QPen>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTextCharFormat>
#include <QTextDocument>

#include "help/engine/HelpFile.h"

namespace lintavo::help {

namespace {

constexpr const char* kScheme = "chm";

// The link that Tab has reached gets a solid ring in the selection colour, two pixels wide, where
// the style would draw a faint dotted one.
class LinkFocusStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint != SH_TextControl_FocusIndicatorTextCharFormat || option == nullptr) {
      return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    if (auto* variant = qstyleoption_cast<QStyleHintReturnVariant*>(returnData)) {
      QTextCharFormat ring;
      ring.setProperty(QTextFormat::OutlinePen,
                       QPen(option->palette.color(QPalette::Highlight), 2, Qt::SolidLine));
      variant->variant = ring;
    }
    return 1;
  }
};

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setObjectName("helpPage");
  auto* style = new LinkFocusStyle;
  style->setParent(this);
  setStyle(style);
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

#include "support/gui/CaptionFit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextDocument>

namespace lintavo::test {

namespace {

struct Caption {
  const QWidget* control;
  QString text;
  QSize needed;
  QSize room;
};

QSize PlainTextSize(const QWidget& control, const QString& text) {
  return control.fontMetrics().size(Qt::TextShowMnemonic, text);
}

// The room for a button's text is what its style leaves inside border, padding and indicator.
Caption ButtonCaption(const QAbstractButton& button, QStyle::SubElement contents) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  option.icon = button.icon();
  option.iconSize = button.iconSize();
  if (const auto* pushButton = qobject_cast<const QPushButton*>(&button)) {
    if (pushButton->isDefault()) {
      option.features |= QStyleOptionButton::DefaultButton;
    }
    if (pushButton->isFlat()) {
      option.features |= QStyleOptionButton::Flat;
    }
  }
  const QRect room = button.style()->subElementRect(contents, &option, &button);
  return {&button, button.text(), PlainTextSize(button, button.text()), room.size()};
}

Caption LabelCaption(const QLabel& label) {
  const QRect room = label.contentsRect();
  QSize needed;
  if (label.textFormat() == Qt::RichText ||
      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()))) {
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setDefaultFont(label.font());
    document.setHtml(label.text());
    if (label.wordWrap()) {
      document.setTextWidth(room.width());
    }
    needed = document.size().toSize();
  } else if (label.wordWrap()) {
    needed = label.fontMetrics()
                 .boundingRect(QRect(0, 0, room.width(), 1 << 16), Qt::TextWordWrap, label.text())
                 .size();
  } else {
    needed = PlainTextSize(label, label.text());
  }
  return {&label, label.text(), needed, room.size()};
}

// A group box title fits when the label its style places ends inside the box.
Caption GroupBoxCaption(const QGroupBox& box) {
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.lineWidth = 1;
  option.textAlignment = box.alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  if (box.isCheckable()) {
    option.subControls |= QStyle::SC_GroupBoxCheckBox;
  }
  const QRect label =
      box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
  return {&box, box.title(), QSize(label.right() + 1, label.height()),
          QSize(box.width(), box.height())};
}

std::string Describe(const Caption& caption) {
  return caption.control->objectName().toStdString() + " \"" + caption.text.toStdString() +
         "\": needs " + std::to_string(caption.needed.width()) + " x " +
         std::to_string(caption.needed.height()) + ", has " + std::to_string(caption.room.width()) +
         " x " + std::to_string(caption.room.height());
}

}  // namespace

std::vector<std::string> CaptionsThatDoNotFit(QWidget& window) {
  window.ensurePolished();
  std::vector<Caption> captions;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    control->ensurePolished();
    if (const auto* button = qobject_cast<QPushButton*>(control)) {
      captions.push_back(ButtonCaption(*button, QStyle::SE_PushButtonContents));
    } else if (const auto* checkBox = qobject_cast<QCheckBox*>(control)) {
      captions.push_back(ButtonCaption(*checkBox, QStyle::SE_CheckBoxContents));
    } else if (const auto* radioButton = qobject_cast<QRadioButton*>(control)) {
      captions.push_back(ButtonCaption(*radioButton, QStyle::SE_RadioButtonContents));
    } else if (const auto* label = qobject_cast<QLabel*>(control)) {
      if (!label->text().isEmpty()) {
        captions.push_back(LabelCaption(*label));
      }
    } else if (const auto* groupBox = qobject_cast<QGroupBox*>(control)) {
      if (!groupBox->title().isEmpty()) {
        captions.push_back(GroupBoxCaption(*groupBox));
      }
    }
  }
  std::vector<std::string> misfits;
  for (const Caption& caption : captions) {
    if (caption.needed.width() > caption.room.width() ||
        caption.needed.height() > caption.room.height()) {
      misfits.push_back(Describe(caption));
    }
  }
  return misfits;
}

}  // namespace lintavo::test

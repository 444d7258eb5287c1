#include <administrator/window/CaptionFit.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace administrator::window {
namespace {

bool textFits(const QWidget& control, const QRect& area, int flags, const QString& text) {
  return area.contains(control.fontMetrics().boundingRect(area, flags, text));
}

bool labelFits(const QLabel& label, const QRect& rect) {
  const QRect area = QRect(QPoint(0, 0), rect.size()).marginsRemoved(label.contentsMargins());
  const int wrap = label.wordWrap() ? int(Qt::TextWordWrap) : 0;
  return textFits(label, area, wrap | int(label.alignment()), label.text());
}

bool buttonFits(const QPushButton& button, const QRect& rect) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.rect = QRect(QPoint(0, 0), rect.size());
  option.text = button.text();
  const QRect area = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  return textFits(button, area, Qt::AlignCenter | Qt::TextShowMnemonic, button.text());
}

}  // namespace

bool captionFits(const QWidget& control, const QRect& rect) {
  if (const auto* label = qobject_cast<const QLabel*>(&control)) return labelFits(*label, rect);
  if (const auto* button = qobject_cast<const QPushButton*>(&control)) return buttonFits(*button, rect);
  return true;
}

}  // namespace administrator::window

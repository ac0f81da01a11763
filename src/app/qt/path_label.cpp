#include "app/qt/path_label.h"

#include <QPainter>
#include <QStyle>
#include <utility>

namespace texttoxml::app::gui {

PathLabel::PathLabel(QString leadIn) : leadIn_(std::move(leadIn)) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  setText(leadIn_);
}

void PathLabel::SetCaption(const QString& caption) {
  setText(caption);
  setToolTip(Path());
}

QString PathLabel::Path() const {
  return text().startsWith(leadIn_) ? text().mid(leadIn_.size()).trimmed() : QString();
}

QString PathLabel::ShownCaption() const {
  const QString path = Path();
  if (path.isEmpty()) return text();
  const QString prefix = text().left(text().size() - path.size());
  const QFontMetrics metrics = fontMetrics();
  const int room = contentsRect().width() - metrics.horizontalAdvance(prefix);
  return prefix + metrics.elidedText(path, Qt::ElideMiddle, qMax(room, 0));
}

// Only the lead-in counts for the window's size: the path takes what is left.
QSize PathLabel::sizeHint() const {
  const QSize text = fontMetrics().size(Qt::TextSingleLine, leadIn_);
  const QMargins margins = contentsMargins();
  return {text.width() + margins.left() + margins.right(),
          text.height() + margins.top() + margins.bottom()};
}

QSize PathLabel::minimumSizeHint() const {
  return sizeHint();
}

void PathLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                        isEnabled(), ShownCaption(), foregroundRole());
}

}  // namespace texttoxml::app::gui

#include "app/qt/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/qt/qt_text.h"
#include "app/window_texts.h"

namespace texttoxml::app::gui {

namespace {

const QColor kNavy(0x1b, 0x3a, 0x73);
const QColor kBlue(0x2f, 0x65, 0xb8);
const QColor kOrange(0xe8, 0x7a, 0x1e);

// A text page over an "XML" tag on a navy tile, drawn in a 64 x 64 square
// scaled to `size`; the installed SVG icon repeats these shapes.
void DrawIcon(QPainter& painter, QPointF origin, qreal size) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(origin);
  painter.scale(size / 64.0, size / 64.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kNavy);
  painter.drawRoundedRect(QRectF(0, 0, 64, 64), 12, 12);

  QPainterPath page;
  page.moveTo(14, 6);
  page.lineTo(40, 6);
  page.lineTo(50, 16);
  page.lineTo(50, 58);
  page.lineTo(14, 58);
  page.closeSubpath();
  painter.setBrush(Qt::white);
  painter.drawPath(page);
  painter.setBrush(QColor(0xc8, 0xd3, 0xe6));
  painter.drawPolygon(QPolygonF({QPointF(40, 6), QPointF(40, 16), QPointF(50, 16)}));
  painter.setPen(QPen(QColor(0x8a, 0x9b, 0xb8), 2.5));
  for (qreal y : {20.0, 26.0, 32.0}) painter.drawLine(QPointF(20, y), QPointF(44, y));

  painter.setPen(Qt::NoPen);
  painter.setBrush(kOrange);
  painter.drawRoundedRect(QRectF(8, 37, 48, 18), 4, 4);
  QFont tagFont(QStringLiteral("sans-serif"));
  tagFont.setStyleHint(QFont::SansSerif);
  tagFont.setBold(true);
  tagFont.setPixelSize(14);
  painter.setFont(tagFont);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(8, 37, 48, 18), Qt::AlignCenter, QStringLiteral("XML"));
  painter.restore();
}

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawIcon(painter, QPointF(0, 0), size);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QPixmap BannerPixmap(const QFont& font, qreal devicePixelRatio) {
  QPixmap pixmap(QSize(kBannerWidth, kBannerHeight) * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient background(0, 0, kBannerWidth, 0);
  background.setColorAt(0, kNavy);
  background.setColorAt(1, kBlue);
  painter.setPen(Qt::NoPen);
  painter.setBrush(background);
  painter.drawRoundedRect(QRectF(0, 0, kBannerWidth, kBannerHeight), 6, 6);
  DrawIcon(painter, QPointF(8, 8), 44);

  const QRectF textArea(62, 6, kBannerWidth - 70, kBannerHeight - 12);
  QFont title(font);
  title.setBold(true);
  title.setPixelSize(17);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop, ToQString(kAppTitle));

  QFont subtitle(font);
  subtitle.setPixelSize(12);
  painter.setFont(subtitle);
  painter.setPen(QColor(0xd6, 0xe4, 0xff));
  painter.drawText(textArea, Qt::AlignLeft | Qt::AlignBottom, ToQString(kGuideName));
  painter.end();
  return pixmap;
}

}  // namespace texttoxml::app::gui

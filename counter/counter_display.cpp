#include "counter/counter_display.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace zarvo {

CounterDisplay::CounterDisplay(QWidget* parent) : QLabel(parent) {}

void CounterDisplay::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
    glyphs_.clear();
  QLabel::changeEvent(event);
}

const QPixmap& CounterDisplay::Glyph(QChar c) {
  auto it = glyphs_.find(c);
  if (it != glyphs_.end())
    return *it;
  const QFontMetrics metrics(font());
  const qreal dpr = devicePixelRatioF();
  QPixmap glyph(QSize(qMax(1, metrics.horizontalAdvance(c)), metrics.height()) * dpr);
  glyph.setDevicePixelRatio(dpr);
  glyph.fill(Qt::transparent);
  QPainter p(&glyph);
  p.setFont(font());
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(QPointF(0, metrics.ascent()), QString(c));
  p.end();
  return *glyphs_.insert(c, glyph);
}

void CounterDisplay::paintEvent(QPaintEvent*) {
  const QString t = text();
  int width = 0;
  for (QChar c : t)
    width += qRound(Glyph(c).width() / Glyph(c).devicePixelRatio());
  const int height = QFontMetrics(font()).height();
  // Centred like the label's own text.
  QPainter p(this);
  int x = (this->width() - width) / 2;
  const int y = (this->height() - height) / 2;
  for (QChar c : t) {
    const QPixmap& g = Glyph(c);
    p.drawPixmap(x, y, g);
    x += qRound(g.width() / g.devicePixelRatio());
  }
}

} // namespace zarvo

#include "counter/counter_display.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace zarvo {

CounterDisplay::CounterDisplay(QWidget* parent) : QLabel(parent) {
  // A label repaints its contents rectangle when its text changes. Here that rectangle is empty,
  // margins as wide as any label: SetTime repaints the changed places itself.
  constexpr int kWide = 1 << 16;
  setContentsMargins(0, 0, kWide, kWide);
}

void CounterDisplay::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
    glyphs_.clear();
    cellsValid_ = false;
  }
  QLabel::changeEvent(event); // repaints the whole label
}

void CounterDisplay::resizeEvent(QResizeEvent* event) {
  cellsValid_ = false;
  QLabel::resizeEvent(event);
}

const QList<CounterDisplay::Cell>& CounterDisplay::Cells() {
  if (!cellsValid_ || cellsText_ != text()) {
    cellsText_ = text();
    cells_ = Layout(cellsText_);
    cellsValid_ = true;
  }
  return cells_;
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

QList<CounterDisplay::Cell> CounterDisplay::Layout(const QString& text) {
  QList<Cell> cells;
  cells.reserve(text.size());
  int width = 0;
  for (QChar c : text) {
    const QPixmap& g = Glyph(c);
    const int advance = qRound(g.width() / g.devicePixelRatio());
    cells.append({c, QRect(width, 0, advance, qRound(g.height() / g.devicePixelRatio()))});
    width += advance;
  }
  const QPoint origin((this->width() - width) / 2, (height() - QFontMetrics(font()).height()) / 2);
  for (Cell& cell : cells)
    cell.place.translate(origin);
  return cells;
}

void CounterDisplay::SetTime(const QString& text) {
  const QString before = this->text();
  if (text == before)
    return;
  const QList<Cell> old = Cells(), now = Layout(text);
  setText(text);
  cellsText_ = text;
  cells_ = now;
  cellsValid_ = true;
  if (old.size() != now.size()) {
    update();
    return;
  }
  QRegion changed;
  for (qsizetype i = 0; i < now.size(); ++i)
    if (old[i] != now[i])
      changed += old[i].place.united(now[i].place);
  update(changed);
}

void CounterDisplay::paintEvent(QPaintEvent* event) {
  // The background is the label's own (filled by the toolkit); the digits go on top.
  QPainter p(this);
  for (const Cell& cell : Cells())
    if (event->region().intersects(cell.place))
      p.drawPixmap(cell.place.topLeft(), Glyph(cell.c));
}

} // namespace zarvo

// The stopwatch's display: a label that draws its digits from pictures rendered once, so the
// hundred new texts a second cost a few small copies instead of laying the text out each time.
#pragma once

#include <QHash>
#include <QLabel>
#include <QPixmap>

namespace zarvo {

class CounterDisplay final : public QLabel {
  Q_OBJECT
public:
  explicit CounterDisplay(QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  const QPixmap& Glyph(QChar c);

  QHash<QChar, QPixmap> glyphs_; // for the current font and colour
};

} // namespace zarvo

// The stopwatch's display: a label that draws its digits from pictures rendered once, and repaints
// only the digits that changed, so the many new texts a second cost a copy of a digit or two.
#pragma once

#include <QHash>
#include <QLabel>
#include <QList>
#include <QPixmap>

namespace zarvo {

class CounterDisplay final : public QLabel {
  Q_OBJECT
public:
  explicit CounterDisplay(QWidget* parent);

  // The label's text (read by tests and screen readers as a label's), repainting only the places
  // of the characters that differ from the text shown before.
  void SetTime(const QString& text);

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  struct Cell {
    QChar c;
    QRect place;
    bool operator==(const Cell&) const = default;
  };
  // Where each character of `text` is drawn: the text centred like the label's own.
  QList<Cell> Layout(const QString& text);
  // Layout of the text shown, worked out once per text rather than at each change and paint.
  const QList<Cell>& Cells();
  const QPixmap& Glyph(QChar c);

  QHash<QChar, QPixmap> glyphs_; // for the current font and colour
  QList<Cell> cells_;            // Cells() of cellsText_, while cellsValid_
  QString cellsText_;
  bool cellsValid_ = false;
};

} // namespace zarvo

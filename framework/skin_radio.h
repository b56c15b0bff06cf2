// The skin's radio button: a round indicator edged in lime, dark inside, with a lime dot while it is
// checked, and the caption in lime beside it, over whatever lies beneath.
#pragma once

#include <QRadioButton>

namespace zarvo {

class SkinRadioButton final : public QRadioButton {
  Q_OBJECT
public:
  SkinRadioButton(const QString& text, QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

protected:
  void paintEvent(QPaintEvent* event) override;
  // The whole button takes the click, the caption as well as the indicator.
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

} // namespace zarvo

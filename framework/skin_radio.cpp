#include "framework/skin_radio.h"

#include <QPainter>
#include <QRadialGradient>

namespace zarvo {

namespace {

constexpr int kIndicator = 11; // a 9-pixel disc inside a 1-pixel edge
constexpr int kSpacing = 3;    // between the indicator and the caption
const QColor kLime(0, 255, 0);
const QColor kDark(0, 50, 0);

} // namespace

// Drawn here rather than through a style sheet: the sheet's machinery costs the start a few
// milliseconds for two buttons.
SkinRadioButton::SkinRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
  QPalette pal = palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    pal.setColor(group, QPalette::WindowText, kLime);
  setPalette(pal);
}

QSize SkinRadioButton::sizeHint() const {
  const QFontMetrics metrics(font());
  return {kIndicator + kSpacing + metrics.horizontalAdvance(text()), qMax(kIndicator, metrics.height())};
}

void SkinRadioButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF indicator(0.5, (height() - kIndicator) / 2 + 0.5, kIndicator - 1, kIndicator - 1);
  painter.setPen(QPen(kLime, 1));
  painter.setBrush(kDark);
  painter.drawEllipse(indicator);
  if (isChecked()) {
    // A lime centre that fades into the dark ring.
    QRadialGradient dot(indicator.center(), kIndicator / 2.0);
    dot.setColorAt(0, kLime);
    dot.setColorAt(0.6, kLime);
    dot.setColorAt(0.7, kDark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    painter.drawEllipse(indicator.adjusted(0.5, 0.5, -0.5, -0.5));
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect().adjusted(kIndicator + kSpacing, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace zarvo

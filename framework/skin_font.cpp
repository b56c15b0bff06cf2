#include "framework/skin_font.h"

#include <QFontMetrics>

namespace zarvo {

QFont SkinFont(int pixelHeight, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

QFont FitFont(QFont font, const QString& sample, int width) {
  while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(sample) > width)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

} // namespace zarvo

#include "framework/skin_font.h"

#include <QFontMetrics>

namespace zarvo {

// Liberation Sans: the free sans serif closest to the windows' original face in shape and width
// (scripts/setup installs fonts-liberation). The metrics stay the designed ones (no horizontal
// hinting), so a caption measures the same on every desktop and under Xvfb.
QFont SkinFont(int pixelHeight, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

QFont FitFont(QFont font, const QString& sample, int width) {
  while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(sample) > width)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

} // namespace zarvo

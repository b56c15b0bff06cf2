#include "framework/skin_font.h"

#include <QFontMetrics>
#include <QLabel>

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

QLabel* SkinLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                  const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(font);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, QColor(0, 255, 0));
  label->setPalette(pal);
  return label;
}

} // namespace zarvo

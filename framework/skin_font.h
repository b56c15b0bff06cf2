// The skin's font and its labels: a free sans-serif stand-in at the pixel heights the windows are laid out
// for.
#pragma once

#include <QFont>
#include <QRect>

class QLabel;
class QWidget;

namespace zarvo {

// A font `pixelHeight` pixels high (bold or not) from the skin's family.
QFont SkinFont(int pixelHeight, bool bold);

// `font` made smaller, a pixel at a time, until `sample` fits within `width` pixels.
QFont FitFont(QFont font, const QString& sample, int width);

// A label of the skin: centred lime text in `font`, drawn over whatever lies beneath it.
QLabel* SkinLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                  const QFont& font);
// The same for a time ("HH:mm:ss") that is drawn again and again, several times a second while it
// flashes: the text's layout is worked out once per text, not at every paint.
QLabel* SkinTimeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                      const QFont& font);

} // namespace zarvo

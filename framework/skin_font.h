// The skin's font: a free sans-serif stand-in at the pixel heights the windows are laid out for.
#pragma once

#include <QFont>

namespace zarvo {

// A font `pixelHeight` pixels high (bold or not) from the skin's family.
QFont SkinFont(int pixelHeight, bool bold);

// `font` made smaller, a pixel at a time, until `sample` fits within `width` pixels.
QFont FitFont(QFont font, const QString& sample, int width);

} // namespace zarvo

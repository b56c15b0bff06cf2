// The shaped outline of the skinned windows: the 19-point polygon with a given bottom, united with ellipses.
#pragma once

#include "assets/outline.h"

#include <QList>
#include <QObject>
#include <QPolygon>
#include <QRect>
#include <QRegion>

class QWidget;

namespace zarvo {

// The polygon, filled by the alternate (odd-even) rule, united with the ellipses inscribed in the
// given boxes. A box is given as left, top, right, bottom, the way the outline is described.
QRegion OutlineRegion(int bottom, const QList<QRect>& ellipseBoxes = {});

// A box from (left, top) to (right, bottom), right and bottom exclusive.
inline QRect Box(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

// Gives `window` the outline and keeps it: the mask is set again whenever the native window is
// created anew (changing stay-on-top does that on some platforms).
void ApplyOutline(QWidget* window, const QRegion& outline);

} // namespace zarvo

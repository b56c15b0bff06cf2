// The outline of the skinned windows: the windows are shaped to it and the skin's pictures are
// drawn inside it.
#pragma once

#include <QPolygon>

namespace zarvo {

// The outline polygon; `bottom` is 140 (main, Counter), 280 (Options) or 200 (Message, About).
inline QPolygon OutlinePolygon(int bottom) {
  return QPolygon({{0, 5},
                   {15, 5},
                   {15, 0},
                   {125, 0},
                   {125, 5},
                   {130, 5},
                   {135, 10},
                   {175, 10},
                   {173, 3},
                   {178, 3},
                   {180, 5},
                   {181, 3},
                   {186, 3},
                   {183, 10},
                   {188, 10},
                   {198, 20},
                   {200, 20},
                   {200, bottom},
                   {0, bottom}});
}

} // namespace zarvo

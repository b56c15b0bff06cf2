// The skin's drawing kit: palette, glossy shapes, glyphs and the pictures built from them.
#pragma once

#include "assets/outline.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

namespace zarvo::art {

// Dark, glossy "money green" with lime ink.
namespace ink {
inline const QColor kLime{0, 255, 0};         // the digits' and captions' lime
inline const QColor kLimeSoft{150, 255, 110}; // glyphs at rest
inline const QColor kLimeGlow{205, 255, 170}; // glyphs under the pointer
inline const QColor kDeep{3, 28, 10};         // darkest green: recesses and ink on lit faces
inline const QColor kRim{70, 200, 84};        // light bevel
inline const QColor kLitTop{190, 255, 120};   // pressed (lit) face, top
inline const QColor kLitBottom{60, 200, 50};  // pressed (lit) face, bottom
} // namespace ink

// The three looks of every three-state button; toggles rest on Pressed while on.
enum class State { Normal, Hover, Pressed };

// clang-format off
enum class Glyph {
  // the main window's button row
  Menu, Transparent, Gear, Stopwatch, Pin, Clock,
  // title-bar and satellite glyphs
  Minimize, Tray, Close, Align, LockOpen, LockClosed,
  // Options actions
  Power, Restart, LogOff, Moon, Snowflake, Speaker, Run, Note,
  // Counter
  Play, Pause, Stop,
  // menus and titles
  Info, Help, Exit, Bubble
};
// clang-format on

// Draws `glyph` scaled into `box` (designed on a 16 x 16 grid) in `color`.
void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& color);

// The skin's font (Liberation Sans, the free match for the windows' sans serif) at a pixel height.
QFont Font(int pixelHeight, bool bold);

// A rounded face in the look of `state`: dark glossy at rest, brighter with a lime rim under the
// pointer, lit lime and sunk by a pixel when pressed.
void DrawFace(QPainter& p, QRectF rect, qreal radius, State state);
// The ink that sits on a face in `state`.
QColor FaceInk(State state);

// Text with a one-pixel shadow (dark under light ink, light under dark ink).
void DrawText(QPainter& p, const QRectF& rect, int flags, const QString& text, const QColor& color);

// Gradient-filled lettering with a dark outline, for the window titles.
void DrawTitleText(QPainter& p, QPointF baseline, const QString& text, const QFont& font);

// One picture of the skin: its path below the skin folder and its pixels.
struct Picture {
  QString path; // e.g. "main/Start_List.png"
  QImage image;
};

// Every picture of the skin, drawn afresh (deterministic). At `scale` 2 each picture has twice as
// many pixels each way and a device pixel ratio of 2: the same artwork, laid out in the same
// logical pixels, for screens that scale by 2. Paths are those of the resources either way.
QList<Picture> DrawSkin(int scale = 1);

// "main/Start_List.png" -> "main/Start_List@2x.png": where the picture drawn at scale 2 is stored.
QString AtTwiceTheSize(const QString& path);

// The program icon as SVG text (the PNG icons are drawn from the same shapes).
QByteArray IconSvg();
// The program icon at `size` pixels square: below 32 the simplified small design, else the full one.
QImage ProgramIcon(int size);

// A mock-up of the main window with the Options window docked to its left and the Counter window
// below, built from `skin` and enlarged `zoom` times, to judge the artwork by eye.
QImage DrawPreview(const QList<Picture>& skin, int zoom);

// An empty transparent picture of `size` logical pixels, `scale` device pixels to each, ready for
// painting in logical coordinates.
QImage Blank(QSize size, int scale = 1);
// The same without transparency (for the JPEG pictures), not yet filled.
QImage Opaque(QSize size, int scale);

} // namespace zarvo::art

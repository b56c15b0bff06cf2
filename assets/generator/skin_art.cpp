// Every picture of the skin: window backgrounds, titles, button strips, check marks, menu pictures
// and the program icon, at the sizes and frame counts the windows load (assets/skin.h).
#include "assets/generator/art.h"
#include "assets/skin.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

namespace zarvo::art {

namespace {

QString Relative(const char* resource) {
  return QString::fromLatin1(resource).mid(QStringLiteral(":/skin/").size());
}

// A strip of frames laid out left to right, frame `i` drawn by `frame(p, i)` in its own coordinates.
QImage MakeStrip(const skin::Strip& strip, int scale, const std::function<void(QPainter&, int)>& frame) {
  QImage image = Blank({strip.frame.width() * strip.frames, strip.frame.height()}, scale);
  QPainter p(&image);
  for (int i = 0; i < strip.frames; ++i) {
    p.save();
    p.translate(i * strip.frame.width(), 0);
    p.setClipRect(QRect(QPoint(0, 0), strip.frame));
    frame(p, i);
    p.restore();
  }
  return image;
}

State StateOf(int frame) { return frame == 0 ? State::Normal : frame == 1 ? State::Hover : State::Pressed; }

// Shrinks `font` a pixel at a time until `text` fits `width`.
QFont Fitted(QFont font, const QString& text, qreal width) {
  while (font.pixelSize() > 8 && QFontMetricsF(font).horizontalAdvance(text) > width)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

// ---- window pictures -------------------------------------------------------------------------

// The shared vertical shading of the title bar and the title plates, so a plate merges into the bar.
QLinearGradient BarShade(qreal height) {
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0.0, QColor(70, 175, 80));
  g.setColorAt(0.22, QColor(30, 120, 44));
  g.setColorAt(0.5, QColor(14, 80, 28));
  g.setColorAt(0.52, QColor(9, 62, 21));
  g.setColorAt(1.0, QColor(6, 44, 16));
  return g;
}

// A one-pixel rim along the outline's upper edges, and the rim's colour on every pixel outside it
// (circles united with the outline show that colour as a ring around their buttons).
void RimAlongOutline(QImage& image) {
  const QRegion inside(OutlinePolygon(1000), Qt::OddEvenFill);
  const QColor rim(120, 235, 120);
  // The outline is in logical pixels; the rim is one logical pixel wide at any density.
  const int s = qRound(image.devicePixelRatio());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const auto in = [&](int px, int py) {
        return px >= 0 && px < image.width() &&
               (py >= image.height() || (py >= 0 && inside.contains(QPoint(px / s, py / s))));
      };
      if (!in(x, y))
        image.setPixelColor(x, y, rim);
      else if (!in(x - s, y) || !in(x + s, y) || !in(x, y - s))
        image.setPixelColor(x, y, rim);
    }
}

QImage TitleBar(int scale) {
  QImage image = Opaque({200, 30}, scale);
  QPainter p(&image);
  p.fillRect(image.rect(), BarShade(30));
  // A faint lime line across the bar's lower half, and a dark seam where the window body begins.
  p.fillRect(QRect(0, 26, 200, 1), QColor(80, 200, 80, 60));
  p.fillRect(QRect(0, 28, 200, 2), QColor(2, 22, 7));
  p.end();
  RimAlongOutline(image);
  return image;
}

// The window body: dark glossy green with a lit edge all round. The Counter window shows it as it
// is; the Options, Time and About windows stretch it, so it carries nothing that stretching would
// smear: only smooth shading and the edges.
QImage Background(int scale) {
  QImage image = Opaque({200, 140}, scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient base(0, 0, 0, 140);
  base.setColorAt(0, QColor(16, 84, 32));
  base.setColorAt(0.45, QColor(10, 60, 23));
  base.setColorAt(1, QColor(5, 36, 14));
  p.fillRect(image.rect(), base);
  QRadialGradient sheen(QPointF(46, 18), 150);
  sheen.setColorAt(0, QColor(200, 255, 180, 34));
  sheen.setColorAt(1, QColor(200, 255, 180, 0));
  p.fillRect(image.rect(), sheen);

  // Lit edges all round; the bottom edge is two rows, since the main window shows the picture one
  // row lower than the other windows do.
  p.setRenderHint(QPainter::Antialiasing, false);
  const QColor edge(70, 200, 84), inner(2, 22, 7);
  p.fillRect(QRect(1, 0, 1, 138), inner);
  p.fillRect(QRect(198, 0, 1, 138), inner);
  p.fillRect(QRect(1, 137, 198, 1), inner);
  p.fillRect(QRect(0, 0, 1, 140), edge);
  p.fillRect(QRect(199, 0, 1, 140), edge);
  p.fillRect(QRect(0, 138, 200, 2), edge);
  return image;
}

// The main window's own dark band behind its two times (window rows 49 to 77), softly edged and
// feathered at both ends, on a transparent ground so the background shows through around it.
QImage DigitsBand(int scale) {
  QImage image = Blank({188, 29}, scale);
  QPainter p(&image);
  const QRectF band(0, 0.5, 188, 28);
  QLinearGradient shade(band.topLeft(), band.bottomLeft());
  shade.setColorAt(0, QColor(0, 12, 3, 0));
  shade.setColorAt(0.16, QColor(0, 12, 3, 165));
  shade.setColorAt(0.84, QColor(0, 14, 4, 165));
  shade.setColorAt(1, QColor(0, 14, 4, 0));
  p.fillRect(band, shade);
  p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  QLinearGradient ends(band.left(), 0, band.right(), 0);
  ends.setColorAt(0, QColor(0, 0, 0, 0));
  ends.setColorAt(0.05, QColor(0, 0, 0, 255));
  ends.setColorAt(0.95, QColor(0, 0, 0, 255));
  ends.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(band, ends);
  return image;
}

// A 110 x 25 title plate: a raised tab with a dark name plate carrying an emblem and the word.
QImage Title(const QString& word, Glyph emblem, int scale) {
  QImage image = Opaque({110, 25}, scale);
  QPainter p(&image);
  p.fillRect(image.rect(), BarShade(30));
  p.setRenderHint(QPainter::Antialiasing);
  // The tab's own rim: lit top and sides (the window's edge runs along them).
  p.fillRect(QRect(0, 0, 110, 1), QColor(120, 235, 120));
  p.fillRect(QRect(0, 0, 1, 6), QColor(120, 235, 120));
  p.fillRect(QRect(109, 0, 1, 6), QColor(120, 235, 120));

  const QRectF plate(4.5, 3.5, 101, 19);
  p.setPen(QPen(QColor(140, 255, 130, 90), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(plate.translated(0, 1), 5, 5);
  QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
  fill.setColorAt(0, QColor(1, 16, 5));
  fill.setColorAt(1, QColor(5, 40, 14));
  p.setPen(QPen(QColor(0, 12, 3), 1));
  p.setBrush(fill);
  p.drawRoundedRect(plate, 5, 5);

  DrawGlyph(p, emblem, QRectF(9, 5.5, 14, 14), QColor(120, 255, 80));
  const QFont font = Fitted(Font(19, true), word, 74);
  DrawTitleText(p, QPointF(27, 19), word, font);
  return image;
}

// ---- buttons --------------------------------------------------------------------------------

// The main window's 30 x 20 row buttons: a glossy capsule with a pictogram.
void ToolButton(QPainter& p, int frame, Glyph glyph) {
  const State s = StateOf(frame);
  DrawFace(p, QRectF(2.5, 2.5, 25, 15), 5, s);
  const qreal down = s == State::Pressed ? 1 : 0;
  DrawGlyph(p, glyph, QRectF(9, 3.5 + down, 12, 12), FaceInk(s));
}

// The big Start button: a capsule lettered START; lit (pressed) while the countdown runs.
void StartButton(QPainter& p, int frame) {
  const State s = StateOf(frame);
  const QRectF face(4.5, 6.5, 76, 36);
  DrawFace(p, face, 13, s);
  const qreal down = s == State::Pressed ? 1 : 0;
  const QColor ink = s == State::Normal ? ink::kLime : FaceInk(s);
  const QString word = QStringLiteral("START");
  p.setFont(Fitted(Font(21, true), word, 64));
  DrawText(p, face.translated(0, down), Qt::AlignCenter, word, ink);
}

// The title-bar buttons: small gems (a rounded bar for Minimize, circles for Hide and Close).
void TitleGem(QPainter& p, int frame, const QRectF& gem, qreal radius, Glyph glyph, const QRectF& glyphBox) {
  const State s = StateOf(frame);
  DrawFace(p, gem, radius, s);
  const qreal down = s == State::Pressed ? 1 : 0;
  DrawGlyph(p, glyph, glyphBox.translated(0, down), s == State::Normal ? ink::kLime : FaceInk(s));
}

// The Options window's action buttons: a plate with the action's pictogram and name. The plate has
// the same height on every button; the taller strips leave their lower rows clear, so the Restart
// button (35 high) does not reach over the Log Off button below it.
void ActionButton(QPainter& p, int frame, Glyph glyph, const QString& name) {
  const State s = StateOf(frame);
  const QRectF plate(2.5, 2.5, 135, 19);
  DrawFace(p, plate, 6, s);
  const qreal down = s == State::Pressed ? 1 : 0;
  const QColor ink = FaceInk(s);
  DrawGlyph(p, glyph, QRectF(8, 4 + down, 16, 16), ink);
  p.setFont(Fitted(Font(13, true), name, 104));
  DrawText(p, QRectF(30, 2.5 + down, 104, 19), Qt::AlignVCenter | Qt::AlignLeft, name, ink);
}

// The Counter window's 60 x 35 buttons: a pictogram and a word, centred together.
void CounterButton(QPainter& p, int frame, Glyph glyph, const QString& word) {
  const State s = StateOf(frame);
  DrawFace(p, QRectF(2.5, 3.5, 55, 27), 7, s);
  const qreal down = s == State::Pressed ? 1 : 0;
  const QFont font = Font(12, true);
  const qreal textWidth = QFontMetricsF(font).horizontalAdvance(word);
  const qreal left = qRound((60 - (9 + 3 + textWidth)) / 2);
  DrawGlyph(p, glyph, QRectF(left, 12.5 + down, 9, 9), FaceInk(s));
  p.setFont(font);
  DrawText(p, QRectF(left + 12, 3.5 + down, textWidth + 2, 27), Qt::AlignVCenter | Qt::AlignLeft, word,
           FaceInk(s));
}

// The Options window's check marks: an inset box, empty or ticked (the tick reaches over the box).
void CheckMark(QPainter& p, int frame) {
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box(3.5, 5.5, 14, 14);
  p.setPen(QPen(QColor(150, 255, 140, 110), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(box.translated(0, 1), 3, 3);
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0, QColor(0, 12, 3));
  fill.setColorAt(1, QColor(6, 48, 16));
  p.setPen(QPen(ink::kRim, 1));
  p.setBrush(fill);
  p.drawRoundedRect(box, 3, 3);
  if (frame == 1) {
    QPainterPath tick;
    tick.moveTo(6.5, 12);
    tick.lineTo(10.5, 16.5);
    tick.lineTo(20, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 24, 6), 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(ink::kLime, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
  }
}

// A lime arrow head for the message memo's scroll bar, pointing up or down.
QImage ScrollArrow(bool up, int scale) {
  QImage image = Blank({9, 6}, scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(ink::kLime);
  const QPolygonF head =
      up ? QPolygonF({{0.5, 5.5}, {4.5, 0.5}, {8.5, 5.5}}) : QPolygonF({{0.5, 0.5}, {4.5, 5.5}, {8.5, 0.5}});
  p.drawPolygon(head);
  return image;
}

// ---- icons ----------------------------------------------------------------------------------

// A 16 x 16 menu picture: a dark green badge with a lime pictogram, readable on light and dark menus.
QImage MenuPicture(Glyph glyph, int scale) {
  QImage image = Blank({16, 16}, scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, 16);
  fill.setColorAt(0, QColor(30, 120, 44));
  fill.setColorAt(1, QColor(4, 40, 12));
  p.setPen(QPen(QColor(2, 30, 8), 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3.5, 3.5);
  DrawGlyph(p, glyph, QRectF(2, 2, 12, 12), QColor(140, 255, 90));
  return image;
}

// The program icon, a green clock face showing ten past ten, designed on a 48-unit grid and drawn
// at `size` pixels.
QImage ClockIcon48(int size) {
  QImage image = Blank({size, size});
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);
  const QPointF c(24, 24);
  QRadialGradient bezel(QPointF(18, 12), 40);
  bezel.setColorAt(0, QColor(90, 220, 100));
  bezel.setColorAt(1, QColor(8, 70, 24));
  p.setPen(QPen(QColor(2, 30, 8), 1.5));
  p.setBrush(bezel);
  p.drawEllipse(c, 22.5, 22.5);

  QRadialGradient face(QPointF(20, 18), 26);
  face.setColorAt(0, QColor(220, 255, 190));
  face.setColorAt(1, QColor(70, 210, 70));
  p.setPen(QPen(QColor(4, 60, 16), 1));
  p.setBrush(face);
  p.drawEllipse(c, 17.5, 17.5);

  const QColor hand(4, 46, 14);
  for (int i = 0; i < 12; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 30);
    const bool major = i % 3 == 0;
    p.fillRect(QRectF(major ? -1.6 : -0.9, -16, major ? 3.2 : 1.8, major ? 5 : 3.2), hand);
    p.restore();
  }
  p.setPen(QPen(hand, 3.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, QPointF(14.5, 18.5)); // hour hand at ten
  p.setPen(QPen(hand, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, QPointF(35, 15)); // minute hand at two
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 160, 40));
  p.drawEllipse(c, 2.6, 2.6);

  // Gloss over the upper half of the face.
  QLinearGradient gloss(0, 6, 0, 24);
  gloss.setColorAt(0, QColor(255, 255, 255, 120));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(gloss);
  p.drawEllipse(QRectF(11, 6.5, 26, 15));
  return image;
}

// The small icon: the same clock reduced to what reads at 16 pixels (pixel-aligned rings, four
// ticks, two bold hands), designed on a 16-unit grid and drawn at `size` pixels.
QImage ClockIcon16(int size) {
  QImage image = Blank({size, size});
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(6, 64, 20));
  p.drawEllipse(QRectF(0, 0, 16, 16));
  QRadialGradient face(QPointF(6.5, 5.5), 10);
  face.setColorAt(0, QColor(220, 255, 190));
  face.setColorAt(1, QColor(70, 215, 70));
  p.setBrush(face);
  p.drawEllipse(QRectF(2, 2, 12, 12));
  // The ticks sit on whole pixels at the design size; scaled, they are smoothed like the rest.
  p.setRenderHint(QPainter::Antialiasing, size != 16);
  const QColor hand(4, 46, 14);
  p.fillRect(QRect(7, 2, 2, 2), hand);
  p.fillRect(QRect(7, 12, 2, 2), hand);
  p.fillRect(QRect(2, 7, 2, 2), hand);
  p.fillRect(QRect(12, 7, 2, 2), hand);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(hand, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 8), QPointF(5, 6));      // ten
  p.drawLine(QPointF(8, 8), QPointF(11.2, 4.6)); // two
  return image;
}

} // namespace

QString AtTwiceTheSize(const QString& path) {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

QImage ProgramIcon(int size) { return size < 32 ? ClockIcon16(size) : ClockIcon48(size); }

QByteArray IconSvg() {
  return QByteArrayLiteral(R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <defs>
    <radialGradient id="bezel" cx="18" cy="12" r="40" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#5adc64"/><stop offset="1" stop-color="#084618"/>
    </radialGradient>
    <radialGradient id="face" cx="20" cy="18" r="26" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#dcffbe"/><stop offset="1" stop-color="#46d246"/>
    </radialGradient>
    <linearGradient id="gloss" x1="0" y1="6" x2="0" y2="24" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.47"/><stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <circle cx="24" cy="24" r="22.5" fill="url(#bezel)" stroke="#021e08" stroke-width="1.5"/>
  <circle cx="24" cy="24" r="17.5" fill="url(#face)" stroke="#043c10" stroke-width="1"/>
  <g fill="#042e0e">
    <rect x="22.4" y="8" width="3.2" height="5"/>
    <rect x="22.4" y="8" width="3.2" height="5" transform="rotate(90 24 24)"/>
    <rect x="22.4" y="8" width="3.2" height="5" transform="rotate(180 24 24)"/>
    <rect x="22.4" y="8" width="3.2" height="5" transform="rotate(270 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(30 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(60 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(120 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(150 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(210 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(240 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(300 24 24)"/>
    <rect x="23.1" y="8" width="1.8" height="3.2" transform="rotate(330 24 24)"/>
  </g>
  <g stroke="#042e0e" stroke-linecap="round">
    <line x1="24" y1="24" x2="14.5" y2="18.5" stroke-width="3.4"/>
    <line x1="24" y1="24" x2="35" y2="15" stroke-width="2.4"/>
  </g>
  <circle cx="24" cy="24" r="2.6" fill="#00a028"/>
  <ellipse cx="24" cy="14" rx="13" ry="7.5" fill="url(#gloss)"/>
</svg>
)svg");
}

QList<Picture> DrawSkin(int scale) {
  using namespace skin;
  QList<Picture> out;
  const auto add = [&](const char* resource, const QImage& image) {
    QImage picture = image;
    picture.setDevicePixelRatio(scale);
    out.append({scale == 1 ? Relative(resource) : AtTwiceTheSize(Relative(resource)), picture});
  };
  const auto addStrip = [&](const Strip& strip, const std::function<void(QPainter&, int)>& frame) {
    add(strip.path, MakeStrip(strip, scale, frame));
  };

  // Main window
  add(kBackground, Background(scale));
  add(kDigitsBand, DigitsBand(scale));
  add(kTitleBar, TitleBar(scale));
  add(kMainTitle, Title(QStringLiteral("Zarvo"), Glyph::Clock, scale));
  addStrip(kStartList, StartButton);
  const std::pair<const Strip*, Glyph> row[] = {
      {&kMenuList, Glyph::Menu},     {&kTransparentList, Glyph::Transparent},
      {&kOptionsList, Glyph::Gear},  {&kCounterList, Glyph::Stopwatch},
      {&kTopAlwaysList, Glyph::Pin}, {&kShowTimeList, Glyph::Clock}};
  for (const auto& [strip, glyph] : row)
    addStrip(*strip, [glyph](QPainter& p, int i) { ToolButton(p, i, glyph); });

  // Minimize shows only its lower half (the outline's shelf starts at row 10); Hide sits in the
  // outline's circle; Close fills the raised notch.
  const auto minimize = [](QPainter& p, int i) {
    TitleGem(p, i, QRectF(1, 11, 11, 7.5), 3, Glyph::Minimize, QRectF(2.5, 7, 8, 8));
  };
  const auto hide = [](QPainter& p, int i) {
    TitleGem(p, i, QRectF(0.5, 3.5, 12, 12), 6, Glyph::Tray, QRectF(2.5, 5.5, 8, 8));
  };
  const auto close = [](QPainter& p, int i) {
    TitleGem(p, i, QRectF(0.5, 4.5, 12, 12), 6, Glyph::Close, QRectF(2.5, 6.5, 8, 8));
  };
  addStrip(kMinimizeList, minimize);
  addStrip(kHideList, hide);
  addStrip(kCloseButtonList, close);
  // The title-bar buttons start with their normal look before they are first hovered.
  const auto still = [scale](const std::function<void(QPainter&, int)>& frame) {
    QImage image = Blank({13, 20}, scale);
    QPainter p(&image);
    frame(p, 0);
    return image;
  };
  add(kMinimizePicture, still(minimize));
  add(kHidePicture, still(hide));
  add(kCloseButtonPicture, still(close));

  {
    // Stops the sound: a speaker and the word, on a small capsule.
    QImage stop = Blank({45, 20}, scale);
    QPainter p(&stop);
    DrawFace(p, QRectF(2.5, 2.5, 40, 15), 5, State::Normal);
    DrawGlyph(p, Glyph::Speaker, QRectF(5.5, 5, 10, 10), ink::kLime);
    p.setFont(Font(10, true));
    DrawText(p, QRectF(17, 2.5, 24, 15), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Stop"),
             ink::kLime);
    p.end();
    add(kStopPlaying, stop);
  }

  // Options window
  add(kOptionsTitle, Title(QStringLiteral("Options"), Glyph::Gear, scale));
  const struct {
    const Strip* strip;
    Glyph glyph;
    const char* name;
  } actions[] = {
      {&kShutDownList, Glyph::Power, "Shut Down"},       {&kRestartList, Glyph::Restart, "Restart"},
      {&kLogOffList, Glyph::LogOff, "Log Off"},          {&kStandByList, Glyph::Moon, "Stand By"},
      {&kHibernateList, Glyph::Snowflake, "Hibernate"},  {&kZarvoList, Glyph::Note, "Play a sound"},
      {&kExecuteList, Glyph::Run, "Run an application"}, {&kMessageList, Glyph::Bubble, "Show a message"}};
  for (const auto& a : actions) {
    const QString name = QString::fromLatin1(a.name);
    const Glyph glyph = a.glyph;
    addStrip(*a.strip, [glyph, name](QPainter& p, int i) { ActionButton(p, i, glyph, name); });
  }
  addStrip(kCheckList, CheckMark);

  // Satellite frame: round gems over the outline's two circles.
  addStrip(kAlignList, [](QPainter& p, int i) {
    const State s = i == 0 ? State::Normal : State::Pressed;
    DrawFace(p, QRectF(1, 1.5, 12, 12), 6, s);
    DrawGlyph(p, Glyph::Align, QRectF(3, 3.5 + (i ? 1 : 0), 8, 8),
              s == State::Normal ? ink::kLime : FaceInk(s));
  });
  addStrip(kLockedList, [](QPainter& p, int i) {
    // Locked is shown lit, so the state reads at a glance.
    const State s = i == 0 ? State::Normal : State::Pressed;
    DrawFace(p, QRectF(1, 1.5, 12, 12), 6, s);
    DrawGlyph(p, i == 0 ? Glyph::LockOpen : Glyph::LockClosed, QRectF(3.5, 3.5 + (i ? 1 : 0), 7, 8),
              s == State::Normal ? ink::kLime : FaceInk(s));
  });

  // Counter window
  add(kCounterTitle, Title(QStringLiteral("Counter"), Glyph::Stopwatch, scale));
  addStrip(kCounterStartList,
           [](QPainter& p, int i) { CounterButton(p, i, Glyph::Play, QStringLiteral("Start")); });
  addStrip(kCounterPauseList,
           [](QPainter& p, int i) { CounterButton(p, i, Glyph::Pause, QStringLiteral("Pause")); });
  addStrip(kCounterStopList,
           [](QPainter& p, int i) { CounterButton(p, i, Glyph::Stop, QStringLiteral("Stop")); });

  // Message and About windows
  add(kMessageTitle, Title(QStringLiteral("Message"), Glyph::Bubble, scale));
  add(kAboutTitle, Title(QStringLiteral("About"), Glyph::Info, scale));
  add(kScrollUp, ScrollArrow(true, scale));
  add(kScrollDown, ScrollArrow(false, scale));

  // Menu pictures
  add(kMenuAbout, MenuPicture(Glyph::Info, scale));
  add(kMenuHelp, MenuPicture(Glyph::Help, scale));
  add(kMenuOptions, MenuPicture(Glyph::Gear, scale));
  add(kMenuRun, MenuPicture(Glyph::Power, scale));
  add(kMenuExit, MenuPicture(Glyph::Exit, scale));

  // Program icon
  add(kIcon16, ClockIcon16(16 * scale));
  add(kIcon48, ClockIcon48(48 * scale));
  return out;
}

} // namespace zarvo::art

// Glossy faces, shadowed text and title lettering shared by every picture.
#include "assets/generator/art.h"

#include <QFontInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zarvo::art {

QImage Blank(QSize size, int scale) {
  QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::transparent);
  return image;
}

QImage Opaque(QSize size, int scale) {
  QImage image(size * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  return image;
}

QFont Font(int pixelHeight, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  // Fixed hinting, so the pictures do not depend on the desktop's font settings.
  font.setHintingPreference(QFont::PreferVerticalHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QColor FaceInk(State state) {
  switch (state) {
  case State::Normal: return ink::kLimeSoft;
  case State::Hover: return ink::kLimeGlow;
  case State::Pressed: return ink::kDeep;
  }
  return ink::kLime;
}

void DrawFace(QPainter& p, QRectF rect, qreal radius, State state) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (state == State::Pressed)
    rect.translate(0, 1);

  // A soft dark halo lifts the face off the window (a lime glow under the pointer).
  const QColor halo = state == State::Hover ? QColor(120, 255, 80, 90) : QColor(0, 0, 0, 110);
  p.setPen(QPen(halo, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(rect.adjusted(-0.5, -0.5, 0.5, 0.5), radius + 0.5, radius + 0.5);

  QLinearGradient body(rect.topLeft(), rect.bottomLeft());
  switch (state) {
  case State::Normal:
    body.setColorAt(0, QColor(34, 120, 48));
    body.setColorAt(0.5, QColor(14, 74, 28));
    body.setColorAt(1, QColor(6, 44, 16));
    break;
  case State::Hover:
    body.setColorAt(0, QColor(70, 190, 80));
    body.setColorAt(0.5, QColor(32, 130, 46));
    body.setColorAt(1, QColor(16, 88, 30));
    break;
  case State::Pressed:
    body.setColorAt(0, ink::kLitTop);
    body.setColorAt(0.55, QColor(110, 230, 70));
    body.setColorAt(1, ink::kLitBottom);
    break;
  }
  const QColor rim = state == State::Normal  ? ink::kRim
                     : state == State::Hover ? QColor(170, 255, 120)
                                             : QColor(20, 90, 24);
  p.setPen(QPen(rim, 1));
  p.setBrush(body);
  p.drawRoundedRect(rect, radius, radius);

  // Gloss: a pale sheen over the upper half, or a shadow inside the top edge when pressed in.
  QPainterPath face;
  face.addRoundedRect(rect.adjusted(1, 1, -1, -1), qMax<qreal>(radius - 1, 0), qMax<qreal>(radius - 1, 0));
  p.setClipPath(face);
  p.setPen(Qt::NoPen);
  const QRectF upper(rect.left(), rect.top(), rect.width(), rect.height() * 0.48);
  QLinearGradient sheen(upper.topLeft(), upper.bottomLeft());
  if (state == State::Pressed) {
    sheen.setColorAt(0, QColor(0, 60, 0, 110));
    sheen.setColorAt(0.35, QColor(0, 60, 0, 0));
    p.setBrush(sheen);
    p.drawRect(rect);
  } else {
    sheen.setColorAt(0, QColor(255, 255, 255, state == State::Hover ? 120 : 80));
    sheen.setColorAt(1, QColor(255, 255, 255, state == State::Hover ? 30 : 14));
    p.setBrush(sheen);
    p.drawRoundedRect(upper.adjusted(1, 1, -1, 0), qMax<qreal>(radius - 1.5, 0),
                      qMax<qreal>(radius - 1.5, 0));
  }
  p.restore();
}

void DrawText(QPainter& p, const QRectF& rect, int flags, const QString& text, const QColor& color) {
  p.save();
  const bool light = color.lightness() > 110;
  p.setPen(light ? QColor(0, 20, 4, 200) : QColor(230, 255, 200, 120));
  p.drawText(rect.translated(0, 1), flags, text);
  p.setPen(color);
  p.drawText(rect, flags, text);
  p.restore();
}

void DrawTitleText(QPainter& p, QPointF baseline, const QString& text, const QFont& font) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  path.addText(baseline, font, text);
  const QRectF box = path.boundingRect();
  // A dark outline first, then the letters in a lime-to-green gradient with a glossy top.
  p.setPen(QPen(QColor(0, 24, 6), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path.translated(0, 0.6));
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0, QColor(230, 255, 170));
  fill.setColorAt(0.45, QColor(120, 255, 60));
  fill.setColorAt(0.55, QColor(40, 215, 40));
  fill.setColorAt(1, QColor(20, 150, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
  p.restore();
}

} // namespace zarvo::art

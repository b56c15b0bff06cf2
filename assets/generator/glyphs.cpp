// The skin's pictograms, each designed on a 16 x 16 grid and scaled into its box.
#include "assets/generator/art.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace zarvo::art {

namespace {

QPointF OnCircle(QPointF centre, qreal r, qreal degrees) {
  const qreal a = qDegreesToRadians(degrees);
  return {centre.x() + r * qCos(a), centre.y() - r * qSin(a)};
}

// A filled arrowhead with its tip at `tip`, pointing along `degrees` (counter-clockwise from +x).
void Arrowhead(QPainter& p, QPointF tip, qreal degrees, qreal size) {
  const QPointF back = OnCircle(tip, size, degrees + 180);
  const QPointF left = OnCircle(back, size * 0.65, degrees + 90);
  const QPointF right = OnCircle(back, size * 0.65, degrees - 90);
  p.drawPolygon(QPolygonF({tip, left, right}));
}

QPainterPath Gear() {
  QPainterPath gear;
  QPolygonF rim;
  const QPointF c(8, 8);
  for (int i = 0; i < 8; ++i) {
    const qreal a = i * 45.0;
    rim << OnCircle(c, 5.0, a - 16) << OnCircle(c, 7.4, a - 9) << OnCircle(c, 7.4, a + 9)
        << OnCircle(c, 5.0, a + 16);
  }
  gear.addPolygon(rim);
  gear.closeSubpath();
  gear.addEllipse(c, 2.3, 2.3);
  gear.setFillRule(Qt::OddEvenFill);
  return gear;
}

} // namespace

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& color) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(box.topLeft());
  p.scale(box.width() / 16.0, box.height() / 16.0);
  const QPen line(color, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  const QPen thin(color, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(Qt::NoPen);
  p.setBrush(color);

  switch (glyph) {
  case Glyph::Menu:
    for (qreal y : {2.6, 6.8, 11.0})
      p.drawRoundedRect(QRectF(1.5, y, 13, 2.6), 1, 1);
    break;
  case Glyph::Transparent: {
    // A solid square behind a checkerboard one: the sign for see-through.
    p.drawRect(QRectF(0.5, 0.5, 9, 9));
    QColor faint = color;
    faint.setAlphaF(0.25);
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 3; ++col) {
        p.setBrush((row + col) % 2 ? faint : color);
        p.drawRect(QRectF(5 + col * 3.6, 5 + row * 3.6, 3.6, 3.6));
      }
    break;
  }
  case Glyph::Gear: p.drawPath(Gear()); break;
  case Glyph::Stopwatch:
    p.drawRoundedRect(QRectF(6, 0.5, 4, 2), 0.8, 0.8);
    p.drawRect(QRectF(7.2, 2, 1.6, 2.2));
    p.setPen(line);
    p.drawLine(QPointF(12.6, 4.2), QPointF(13.6, 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 9.6), 5.4, 5.4);
    p.drawLine(QPointF(8, 9.6), QPointF(10.4, 7.2));
    break;
  case Glyph::Pin:
    p.translate(8, 8);
    p.rotate(40);
    p.translate(-8, -8);
    p.drawRoundedRect(QRectF(4.6, 0.6, 6.8, 2.6), 1.2, 1.2);
    p.drawRect(QRectF(6.0, 3.0, 4.0, 5.0));
    p.drawRoundedRect(QRectF(3.2, 7.8, 9.6, 2.4), 1, 1);
    p.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 10), QPointF(8, 15.4));
    break;
  case Glyph::Clock:
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 6.4, 6.4);
    p.drawLine(QPointF(8, 8), QPointF(8, 4.2));
    p.drawLine(QPointF(8, 8), QPointF(11, 8));
    break;
  case Glyph::Minimize: p.drawRoundedRect(QRectF(2.5, 10.5, 11, 3), 1, 1); break;
  case Glyph::Tray:
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(8, 1.8), QPointF(8, 8));
    p.setPen(Qt::NoPen);
    Arrowhead(p, QPointF(8, 11.6), -90, 5);
    p.drawRoundedRect(QRectF(2.5, 12.8, 11, 2.4), 1, 1);
    break;
  case Glyph::Close:
    p.setPen(QPen(color, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.6, 3.6), QPointF(12.4, 12.4));
    p.drawLine(QPointF(12.4, 3.6), QPointF(3.6, 12.4));
    break;
  case Glyph::Align:
    p.drawRoundedRect(QRectF(11.5, 2, 3, 12), 1, 1);
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1.8, 8), QPointF(6.5, 8));
    p.setPen(Qt::NoPen);
    Arrowhead(p, QPointF(10.6, 8), 0, 5.2);
    break;
  case Glyph::LockOpen:
  case Glyph::LockClosed: {
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 8), 1.5, 1.5);
    p.setPen(QPen(color, 2.1, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    if (glyph == Glyph::LockClosed) {
      shackle.moveTo(5, 7.6);
      shackle.lineTo(5, 5);
      shackle.arcTo(QRectF(5, 1.6, 6, 6.8), 180, -180);
      shackle.lineTo(11, 7.6);
    } else {
      shackle.moveTo(11, 7.6);
      shackle.lineTo(11, 3.6);
      shackle.arcTo(QRectF(11, 0.6, 6, 6), 180, -180);
      shackle.lineTo(17, 4.6);
    }
    p.drawPath(shackle);
    break;
  }
  case Glyph::Power: {
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.2, 2.8, 11.6, 11.6), 60 * 16, -300 * 16);
    p.drawLine(QPointF(8, 1.4), QPointF(8, 7.6));
    break;
  }
  case Glyph::Restart: {
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF c(8, 8.6);
    p.drawArc(QRectF(c.x() - 5.4, c.y() - 5.4, 10.8, 10.8), 100 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    // The arc ends at 30 degrees running counter-clockwise, so its head points along 120 degrees.
    Arrowhead(p, OnCircle(OnCircle(c, 5.4, 30), 2.6, 120), 120, 5);
    break;
  }
  case Glyph::LogOff:
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{9.5, 4.5}, {9.5, 1.8}, {2, 1.8}, {2, 14.2}, {9.5, 14.2}, {9.5, 11.5}}));
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 8), QPointF(11, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    Arrowhead(p, QPointF(15.2, 8), 0, 5);
    break;
  case Glyph::Moon: {
    QPainterPath moon;
    moon.addEllipse(QPointF(7.5, 8.5), 6.3, 6.3);
    QPainterPath bite;
    bite.addEllipse(QPointF(11.2, 5.2), 5.4, 5.4);
    p.drawPath(moon.subtracted(bite));
    p.drawEllipse(QPointF(13.2, 11.2), 0.9, 0.9);
    break;
  }
  case Glyph::Snowflake: {
    p.setPen(thin);
    const QPointF c(8, 8);
    for (int i = 0; i < 6; ++i) {
      const qreal a = 90 + i * 60;
      const QPointF tip = OnCircle(c, 6.8, a);
      p.drawLine(c, tip);
      const QPointF fork = OnCircle(c, 4.2, a);
      p.drawLine(fork, OnCircle(fork, 2.2, a + 45));
      p.drawLine(fork, OnCircle(fork, 2.2, a - 45));
    }
    break;
  }
  case Glyph::Speaker:
    p.drawPolygon(QPolygonF({{1, 5.6}, {4.4, 5.6}, {8.6, 2}, {8.6, 14}, {4.4, 10.4}, {1, 10.4}}));
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6.6, 5, 6, 6), -50 * 16, 100 * 16);
    p.drawArc(QRectF(4.6, 2, 12, 12), -50 * 16, 100 * 16);
    break;
  case Glyph::Run:
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 2, 14, 12), 1.6, 1.6);
    p.drawLine(QPointF(1.5, 5), QPointF(14.5, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF({{6, 6.8}, {6, 12.6}, {11, 9.7}}));
    break;
  case Glyph::Note: {
    p.save();
    p.translate(5, 12.2);
    p.rotate(-22);
    p.drawEllipse(QPointF(0, 0), 3.2, 2.3);
    p.restore();
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7.6, 11.6), QPointF(7.6, 1.2));
    p.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath flag;
    flag.moveTo(7.6, 1.6);
    flag.cubicTo(9.5, 4.2, 13.6, 4.2, 12.2, 8.6);
    p.drawPath(flag);
    break;
  }
  case Glyph::Play: p.drawPolygon(QPolygonF({{3.5, 2}, {3.5, 14}, {13.5, 8}})); break;
  case Glyph::Pause:
    p.drawRoundedRect(QRectF(3, 2.5, 3.6, 11), 0.8, 0.8);
    p.drawRoundedRect(QRectF(9.4, 2.5, 3.6, 11), 0.8, 0.8);
    break;
  case Glyph::Stop: p.drawRoundedRect(QRectF(2.8, 2.8, 10.4, 10.4), 1.2, 1.2); break;
  case Glyph::Info:
  case Glyph::Help:
  case Glyph::Exit: {
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    if (glyph == Glyph::Info) {
      p.drawEllipse(QPointF(8, 4.6), 1.25, 1.25);
      p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6), 0.6, 0.6);
    } else if (glyph == Glyph::Help) {
      p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      QPainterPath hook;
      hook.moveTo(5.4, 6);
      hook.cubicTo(5.4, 2.4, 10.8, 2.4, 10.6, 5.8);
      hook.cubicTo(10.5, 7.6, 8, 7.8, 8, 9.8);
      p.drawPath(hook);
      p.setPen(Qt::NoPen);
      p.setBrush(color);
      p.drawEllipse(QPointF(8, 12.4), 1.2, 1.2);
    } else {
      p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
      p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
    }
    break;
  }
  case Glyph::Bubble: {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(0.8, 1.5, 14.4, 10), 3, 3);
    QPainterPath tail;
    tail.moveTo(3.5, 10);
    tail.lineTo(3, 15);
    tail.lineTo(8, 10);
    tail.closeSubpath();
    p.drawPath(bubble.united(tail));
    break;
  }
  }
  p.restore();
}

} // namespace zarvo::art

// A mock-up of the windows built from the skin, for judging the artwork by eye (never shipped).
#include "assets/generator/art.h"
#include "assets/skin.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

namespace zarvo::art {

namespace {

class Sheet {
public:
  explicit Sheet(const QList<Picture>& skin) {
    for (const Picture& picture : skin)
      pictures_.insert(picture.path, picture.image);
  }
  QImage Get(const char* resource) const { return pictures_.value(QString::fromLatin1(resource).mid(7)); }
  QImage Frame(const skin::Strip& strip, int i) const {
    return Get(strip.path).copy(i * strip.frame.width(), 0, strip.frame.width(), strip.frame.height());
  }

private:
  QHash<QString, QImage> pictures_;
};

void Label(QPainter& p, QRect r, const QString& text, int px, bool bold, QColor color,
           int flags = Qt::AlignCenter) {
  QFont font = Font(px, bold);
  while (QFontMetrics(font).horizontalAdvance(text) > r.width() && font.pixelSize() > 6)
    font.setPixelSize(font.pixelSize() - 1);
  p.setFont(font);
  p.setPen(color);
  p.drawText(r, flags, text);
}

void Radio(QPainter& p, QPoint at, const QString& caption, bool on) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0, 40, 0));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(at.x() + 1.5, at.y() + 3.5, 11, 11));
  if (on) {
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(at.x() + 4.5, at.y() + 6.5, 5, 5));
  }
  p.restore();
  Label(p, QRect(at.x() + 16, at.y(), 40, 17), caption, 11, true, ink::kLime,
        Qt::AlignVCenter | Qt::AlignLeft);
}

QImage MainWindow(const Sheet& s) {
  using namespace skin;
  QImage w(200, 140, QImage::Format_ARGB32_Premultiplied);
  w.fill(QColor(0, 128, 0));
  QPainter p(&w);
  p.drawImage(0, 1, s.Get(kBackground));
  p.drawImage(6, 49, s.Get(kDigitsBand));
  p.drawImage(0, 0, s.Get(kTitleBar));
  p.drawImage(15, 0, s.Get(kMainTitle));
  const std::pair<const Strip*, int> row[] = {{&kMenuList, 1},      {&kTransparentList, 0},
                                              {&kOptionsList, 2},   {&kCounterList, 2},
                                              {&kTopAlwaysList, 0}, {&kShowTimeList, 0}};
  int x = 8;
  for (const auto& [strip, frame] : row) {
    p.drawImage(x, 30, s.Frame(*strip, frame));
    x += 31;
  }
  p.drawImage(139, 0, s.Get(kMinimizePicture));
  p.drawImage(155, 0, s.Get(kHidePicture));
  p.drawImage(173, -1, s.Get(kCloseButtonPicture));
  Label(p, QRect(15, 51, 70, 24), QStringLiteral("12:34:56"), 19, false, ink::kLime);
  Label(p, QRect(106, 51, 79, 24), QStringLiteral("00:09:41"), 19, true, QColor(255, 255, 0));
  Radio(p, QPoint(15, 76), QStringLiteral("After"), true);
  Radio(p, QPoint(63, 76), QStringLiteral("At"), false);
  p.fillRect(QRect(15, 95, 82, 21), ink::kLime);
  p.setPen(Qt::black);
  p.drawRect(QRect(15, 95, 81, 20));
  Label(p, QRect(17, 95, 60, 21), QStringLiteral("00:10:00"), 13, true, Qt::black);
  p.drawImage(103, 73, s.Frame(kStartList, 2));
  Label(p, QRect(5, 121, 190, 13), QStringLiteral("Show menu"), 11, true, ink::kLime);
  return w;
}

// The Options and Counter windows share the satellite frame.
void SatelliteFrame(QPainter& p, const Sheet& s, const char* title, int height) {
  using namespace skin;
  p.drawImage(QRect(0, 0, 200, height == 280 ? 282 : height), s.Get(kBackground));
  p.drawImage(0, 0, s.Get(kTitleBar));
  p.drawImage(15, 0, s.Get(title));
  p.drawImage(173, -1, s.Frame(kCloseButtonList, 0));
  p.drawImage(140, 1, s.Frame(kAlignList, 0).copy(0, 0, 13, 14));
  p.drawImage(157, 1, s.Frame(kLockedList, 1).copy(0, 0, 13, 14));
}

QImage OptionsWindow(const Sheet& s) {
  using namespace skin;
  QImage w(200, 280, QImage::Format_ARGB32_Premultiplied);
  w.fill(QColor(0, 128, 0));
  QPainter p(&w);
  SatelliteFrame(p, s, kOptionsTitle, 280);
  const Strip* strips[] = {&kShutDownList,  &kRestartList, &kLogOffList,  &kStandByList,
                           &kHibernateList, &kZarvoList,   &kExecuteList, &kMessageList};
  const int tops[] = {35, 65, 95, 125, 155, 185, 215, 245};
  const int frames[] = {0, 0, 1, 0, 0, 2, 0, 0};
  const bool checked[] = {true, false, false, false, false, true, false, true};
  for (int i = 0; i < 8; ++i)
    p.drawImage(41, tops[i], s.Frame(*strips[i], frames[i]));
  for (int i = 0; i < 8; ++i)
    p.drawImage(23, tops[i] - 1, s.Frame(kCheckList, checked[i] ? 1 : 0));
  p.fillRect(QRect(15, 46, 1, 120), Qt::black);
  for (int y : {46, 76, 105, 135, 165, 195, 225, 255})
    p.fillRect(QRect(16, y, 5, 2), Qt::black);
  return w;
}

QImage CounterWindow(const Sheet& s) {
  using namespace skin;
  QImage w(200, 140, QImage::Format_ARGB32_Premultiplied);
  w.fill(QColor(0, 128, 0));
  QPainter p(&w);
  SatelliteFrame(p, s, kCounterTitle, 140);
  Label(p, QRect(0, 32, 201, 16), QStringLiteral("Counting"), 13, true, ink::kLime);
  p.fillRect(QRect(30, 56, 142, 32), Qt::black);
  p.fillRect(QRect(31, 57, 140, 30), QColor(0, 128, 0));
  Label(p, QRect(31, 57, 140, 30), QStringLiteral("00:20:34:56"), 24, true, ink::kLime);
  p.drawImage(7, 95, s.Frame(kCounterStopList, 0));
  p.drawImage(71, 95, s.Frame(kCounterPauseList, 1));
  p.drawImage(135, 95, s.Frame(kCounterStartList, 2));
  return w;
}

// The About window (200 x 200, the background stretched) and the Time window (112 x 25).
QImage AboutWindow(const Sheet& s) {
  using namespace skin;
  QImage w(200, 200, QImage::Format_ARGB32_Premultiplied);
  w.fill(Qt::black);
  QPainter p(&w);
  p.drawImage(QRect(0, 0, 200, 200), s.Get(kBackground));
  p.drawImage(0, 0, s.Get(kTitleBar));
  p.drawImage(15, 0, s.Get(kAboutTitle));
  p.drawImage(173, -1, s.Frame(kCloseButtonList, 0));
  p.drawImage(4, 34, s.Get(kIcon48));
  p.fillRect(QRect(74, 34, 106, 33), QColor(0, 64, 0));
  Label(p, QRect(74, 34, 106, 33), QStringLiteral("   Zarvo  "), 24, true, ink::kLime);
  Label(p, QRect(56, 72, 52, 13), QStringLiteral("v 1.0.0.0"), 11, true, ink::kLime);
  Label(p, QRect(128, 72, 65, 13), QStringLiteral("07.12.2024"), 11, true, ink::kLime);
  Label(p, QRect(16, 84, 18, 16), QStringLiteral("by"), 13, true, ink::kLime);
  Label(p, QRect(31, 96, 133, 24), QStringLiteral("The Author"), 19, true, ink::kLime);
  p.fillRect(QRect(66, 168, 68, 24), ink::kLime);
  Label(p, QRect(66, 168, 68, 24), QStringLiteral("    OK    "), 16, true, Qt::black);
  return w;
}

QImage TimeWindow(const Sheet& s) {
  QImage w(112, 25, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&w);
  p.drawImage(QRect(0, 0, 112, 25), s.Get(skin::kBackground));
  Label(p, QRect(17, 0, 79, 24), QStringLiteral("00:09:41"), 19, true, ink::kLime);
  return w;
}

void Put(QPainter& p, QPoint at, const QImage& window, const QRegion& outline) {
  p.save();
  p.setClipRegion(outline.translated(at));
  p.drawImage(at, window);
  p.restore();
}

} // namespace

QImage DrawPreview(const QList<Picture>& skin, int zoom) {
  using namespace skin;
  const Sheet s(skin);
  QImage canvas(640, 470, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(QColor(96, 110, 124));
  QPainter p(&canvas);

  const auto outline = [](int bottom, std::initializer_list<QRect> circles) {
    QRegion r(OutlinePolygon(bottom), Qt::OddEvenFill);
    for (const QRect& c : circles)
      r = r.united(QRegion(c, QRegion::Ellipse));
    return r;
  };
  Put(p, {10, 10}, OptionsWindow(s), outline(280, {QRect(140, 1, 15, 15), QRect(157, 1, 15, 15)}));
  Put(p, {210, 10}, MainWindow(s), outline(140, {QRect(155, 2, 14, 15)}));
  Put(p, {210, 150}, CounterWindow(s), outline(140, {QRect(140, 1, 15, 15), QRect(157, 1, 15, 15)}));

  Put(p, {425, 10}, AboutWindow(s), outline(200, {}));
  p.drawImage(425, 220, TimeWindow(s));

  // Every strip with its frames, and the small pictures, on the skin's own background.
  p.drawImage(QRect(10, 300, 400, 165), s.Get(kBackground));
  int x = 14, y = 304, rowHeight = 0;
  for (const Picture& picture : skin) {
    if (picture.image.width() >= 200 || picture.path.endsWith(QLatin1String(".jpg")))
      continue;
    if (x + picture.image.width() > 406) {
      x = 14;
      y += rowHeight + 3;
      rowHeight = 0;
    }
    p.drawImage(x, y, picture.image);
    x += picture.image.width() + 4;
    rowHeight = qMax(rowHeight, picture.image.height());
  }
  p.end();
  return canvas.scaled(canvas.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace zarvo::art

// The compiled-in skin: every picture the windows load decodes at its size, strips have told-apart
// frames on a transparent ground, nothing stray is shipped, and the set is what the generator draws.
#include "assets/skin.h"

#include <QDirIterator>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

using namespace zarvo;

namespace {

QImage Load(const QString& path) {
  QImageReader reader(path);
  return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QSet<QString> Shipped() {
  QSet<QString> files;
  QDirIterator it(QStringLiteral(":/skin"), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext())
    files.insert(it.next().mid(QStringLiteral(":/skin/").size()));
  return files;
}

// The share of pixels that two pictures of one size show clearly differently, 0 to 1.
double ChangedShare(const QImage& a, const QImage& b) {
  int changed = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      changed += std::max({qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q)),
                           qAbs(qAlpha(p) - qAlpha(q))}) > 48;
    }
  return double(changed) / (a.width() * a.height());
}

// How far a freshly drawn picture strays from the committed one, channel by channel on
// premultiplied pixels, so that a nearly clear edge pixel weighs as little as it shows.
struct Likeness {
  int worst = 0;       // the largest difference of one channel, in levels
  double offShare = 0; // the share of pixels with a channel more than kRoundingLevels off
  double mean = 0;     // the mean of every pixel's largest channel difference, in levels
};

// Qt's raster engine rounds a level or so differently on CPUs with other vector units and in
// other builds; JPEG carries such differences on through its quantisation and adds its own.
// A changed design, a shifted or missing element or a wrong colour goes far beyond either.
constexpr int kRoundingLevels = 2;
struct Tolerance {
  int worst;
  double offShare;
  double mean;
};
constexpr Tolerance kPngTolerance{6, 0.01, 1.0};
// A level of rounding in one pixel can move a quantised coefficient and so a whole 8 x 8 block.
constexpr Tolerance kJpegTolerance{12, 1.0, 1.5};

Likeness Compare(const QImage& fresh, const QImage& committed) {
  const QImage a = fresh.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage b = committed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  Likeness l;
  qint64 off = 0, sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    const QRgb* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const QRgb* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int d = std::max({qAbs(qRed(p[x]) - qRed(q[x])), qAbs(qGreen(p[x]) - qGreen(q[x])),
                              qAbs(qBlue(p[x]) - qBlue(q[x])), qAbs(qAlpha(p[x]) - qAlpha(q[x]))});
      l.worst = std::max(l.worst, d);
      off += d > kRoundingLevels;
      sum += d;
    }
  }
  const qint64 pixels = qint64(a.width()) * a.height();
  l.offShare = pixels ? double(off) / pixels : 0;
  l.mean = pixels ? double(sum) / pixels : 0;
  return l;
}

// Empty when `fresh` passes for `committed`, else what tells them apart.
QString Mismatch(const QImage& fresh, const QImage& committed, const Tolerance& tolerance) {
  if (fresh.size() != committed.size())
    return QStringLiteral("size %1 x %2 instead of %3 x %4")
        .arg(fresh.width())
        .arg(fresh.height())
        .arg(committed.width())
        .arg(committed.height());
  const Likeness l = Compare(fresh, committed);
  if (l.worst <= tolerance.worst && l.offShare <= tolerance.offShare && l.mean <= tolerance.mean)
    return {};
  return QStringLiteral("differs by up to %1 levels, by %2 on average, %3 % of its pixels by more than %4")
      .arg(l.worst)
      .arg(l.mean, 0, 'f', 2)
      .arg(l.offShare * 100, 0, 'f', 2)
      .arg(kRoundingLevels);
}

// `image` as another machine's raster engine might draw it: colour channels of a share of the
// pixels off by up to `levels` either way.
QImage WithRounding(const QImage& image, int levels, double share, quint32 seed) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QRandomGenerator random(seed);
  for (int y = 0; y < out.height(); ++y) {
    QRgb* p = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if (random.generateDouble() >= share)
        continue;
      const int a = qAlpha(p[x]);
      auto nudge = [&](int c) { return std::clamp(c + random.bounded(-levels, levels + 1), 0, a); };
      p[x] = qRgba(nudge(qRed(p[x])), nudge(qGreen(p[x])), nudge(qBlue(p[x])), a);
    }
  }
  return out;
}

QString TwiceTheSize(const QString& path) {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

} // namespace

class TestSkin : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    QVERIFY2(QFile::exists(skin::Path(skin::kBackground)), "the skin is not compiled in");
  }

  void strips_data() {
    QTest::addColumn<int>("index");
    int i = 0;
    for (const auto* strip : skin::kStrips)
      QTest::newRow(strip->path) << i++;
  }

  void strips() {
    QFETCH(int, index);
    const skin::Strip& strip = *skin::kStrips[index];
    const QImage image = Load(skin::Path(strip.path));
    QVERIFY2(!image.isNull(), "does not decode");
    QCOMPARE(image.size(), QSize(strip.frame.width() * strip.frames, strip.frame.height()));

    QList<QImage> frames;
    for (int i = 0; i < strip.frames; ++i) {
      const QImage frame = image.copy(i * strip.frame.width(), 0, strip.frame.width(), strip.frame.height());
      // The window shows through around the artwork, and there is artwork.
      const int w = frame.width() - 1, h = frame.height() - 1;
      int clearCorners = 0, opaque = 0;
      for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
        clearCorners += qAlpha(frame.pixel(corner)) == 0;
      QVERIFY2(clearCorners >= 2, qPrintable(QStringLiteral("frame %1 is not cut out").arg(i)));
      for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
          opaque += qAlpha(frame.pixel(x, y)) > 200;
      QVERIFY2(opaque > frame.width() * frame.height() / 5,
               qPrintable(QStringLiteral("frame %1 is nearly empty").arg(i)));
      frames.append(frame);
    }
    // Normal, hover and pressed (or off and on) can be told apart at a glance.
    for (int i = 0; i < frames.size(); ++i)
      for (int j = i + 1; j < frames.size(); ++j) {
        QVERIFY2(ChangedShare(frames[i], frames[j]) > 0.05,
                 qPrintable(QStringLiteral("frames %1 and %2 look alike").arg(i).arg(j)));
      }
  }

  void singles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const auto& single : skin::kSingles)
      QTest::newRow(single.path) << skin::Path(single.path) << single.size;
  }

  void singles() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(path);
    if (path.endsWith(QLatin1String(".svg")))
      reader.setScaledSize(size);
    if (path.endsWith(QLatin1String(".jpg")))
      QCOMPARE(QImageReader::imageFormat(path), QByteArray("jpeg"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
  }

  // Every shipped JPEG decodes (the program's skins go through the JPEG decoder), and nothing is
  // shipped that the windows do not load.
  // For screens scaled by 2, every picture but the scalable icon has a partner "name@2x.ext" with
  // exactly twice the pixels each way, so it shows at the same logical size, only sharper.
  void partnersAtTwiceTheSize_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const auto& single : skin::kSingles)
      if (!QByteArray(single.path).endsWith(".svg"))
        QTest::newRow(single.path) << skin::Path(single.path) << single.size;
    for (const auto* strip : skin::kStrips)
      QTest::newRow(strip->path) << skin::Path(strip->path)
                                 << QSize(strip->frame.width() * strip->frames, strip->frame.height());
  }

  void partnersAtTwiceTheSize() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QString partner = TwiceTheSize(path);
    QImageReader reader(partner);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(partner + ": " + reader.errorString()));
    QCOMPARE(image.size(), size * 2);
    QCOMPARE(QImageReader::imageFormat(partner),
             QImageReader::imageFormat(path)); // a JPEG's partner is a JPEG too
  }

  void shippedFiles() {
    QSet<QString> known;
    for (const auto& single : skin::kSingles) {
      known.insert(skin::Path(single.path).mid(7));
      if (!QByteArray(single.path).endsWith(".svg"))
        known.insert(TwiceTheSize(skin::Path(single.path)).mid(7));
    }
    for (const auto* strip : skin::kStrips) {
      known.insert(skin::Path(strip->path).mid(7));
      known.insert(TwiceTheSize(skin::Path(strip->path)).mid(7));
    }
    const QSet<QString> shipped = Shipped();
    QCOMPARE(shipped, known);
    for (const QString& file : shipped) {
      if (!file.endsWith(QLatin1String(".jpg")))
        continue;
      QImageReader reader(QStringLiteral(":/skin/") + file);
      QVERIFY2(!reader.read().isNull(), qPrintable(file + ": " + reader.errorString()));
    }
  }

  // The committed pictures are what the generator draws, to within the rounding that differs
  // between machines and builds.
  void matchesTheGenerator() {
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QProcess generator;
    generator.start(QStringLiteral(ZARVO_SKIN_GENERATOR), {out.path()});
    QVERIFY(generator.waitForFinished(60000));
    QVERIFY2(generator.exitStatus() == QProcess::NormalExit && generator.exitCode() == 0,
             generator.readAllStandardError().constData());

    QSet<QString> drawn;
    QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
      drawn.insert(it.next().mid(out.path().size() + 1));
    QCOMPARE(drawn, Shipped());

    for (const QString& file : drawn) {
      const QString shipped = QStringLiteral(":/skin/") + file;
      if (file.endsWith(QLatin1String(".svg"))) {
        QFile a(out.filePath(file)), b(shipped);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(file + " differs from what the generator draws"));
        continue;
      }
      const QImage fresh = Load(out.filePath(file)), committed = Load(shipped);
      const QString mismatch =
          Mismatch(fresh, committed, file.endsWith(QLatin1String(".jpg")) ? kJpegTolerance : kPngTolerance);
      QVERIFY2(mismatch.isEmpty(),
               qPrintable(file + QStringLiteral(" is not what the generator draws: ") + mismatch));
    }
  }

  // The Options, About and Time windows stretch the background, so it carries no band or other
  // feature that stretching would smear: row by row its shading changes by a level or two at most.
  // The dark band behind the main window's times is a picture of its own, dark in the middle and
  // clear at its ends.
  void backgroundStretchesCleanly() {
    const QImage background = Load(skin::Path(skin::kBackground));
    QVERIFY(!background.isNull());
    auto rowGreen = [&](int y) {
      qint64 sum = 0;
      for (int x = 2; x < background.width() - 2; ++x)
        sum += qGreen(background.pixel(x, y));
      return double(sum) / (background.width() - 4);
    };
    for (int y = 1; y < 136; ++y)
      QVERIFY2(qAbs(rowGreen(y + 1) - rowGreen(y)) < 3,
               qPrintable(QStringLiteral("a step at row %1").arg(y)));

    const QImage band = Load(skin::Path(skin::kDigitsBand));
    QVERIFY(!band.isNull());
    QVERIFY(qAlpha(band.pixel(94, 14)) > 120 && qGreen(band.pixel(94, 14)) < 40);
    for (const QPoint clear : {QPoint(0, 14), QPoint(187, 14), QPoint(94, 0), QPoint(94, 28)})
      QVERIFY(qAlpha(band.pixel(clear)) < 40);
  }

  // The comparison above lets a level or two of rounding through, on every pixel of a strip or
  // on a JPEG, and still tells a real change apart: a shifted element, a missing frame, a colour
  // a few levels off all over, a picture of another size.
  void comparisonToleratesRoundingButNotChanges() {
    const QImage strip = Load(skin::Path(skin::kStartList.path));
    const QImage jpeg = Load(skin::Path(skin::kBackground));
    QVERIFY(!strip.isNull() && !jpeg.isNull());

    QVERIFY(Mismatch(strip, strip, kPngTolerance).isEmpty());
    const QImage rounded = WithRounding(strip, 1, 1.0, 7);
    QVERIFY(rounded != strip.convertToFormat(rounded.format())); // what a pixel-exact check rejects
    QVERIFY(Mismatch(rounded, strip, kPngTolerance).isEmpty());
    QVERIFY(Mismatch(WithRounding(strip, 2, 0.5, 11), strip, kPngTolerance).isEmpty());
    QVERIFY(Mismatch(WithRounding(jpeg, 4, 0.3, 13), jpeg, kJpegTolerance).isEmpty());

    QImage shifted(strip.size(), QImage::Format_ARGB32_Premultiplied);
    shifted.fill(Qt::transparent);
    QPainter(&shifted).drawImage(1, 0, strip);
    QVERIFY(!Mismatch(shifted, strip, kPngTolerance).isEmpty());

    QImage missingFrame = strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
      QPainter p(&missingFrame);
      p.setCompositionMode(QPainter::CompositionMode_Clear);
      p.fillRect(QRect(QPoint(2 * skin::kStartList.frame.width(), 0), skin::kStartList.frame),
                 Qt::transparent);
    }
    QVERIFY(!Mismatch(missingFrame, strip, kPngTolerance).isEmpty());

    // The whole design a few levels redder: each pixel is near, but all of them are off.
    QImage redder = jpeg.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < redder.height(); ++y)
      for (int x = 0; x < redder.width(); ++x) {
        const QRgb c = redder.pixel(x, y);
        redder.setPixel(x, y, qRgba(std::min(255, qRed(c) + 5), qGreen(c), qBlue(c), qAlpha(c)));
      }
    QVERIFY(!Mismatch(redder, jpeg, kJpegTolerance).isEmpty());

    QVERIFY(!Mismatch(strip.copy(0, 0, strip.width() - 1, strip.height()), strip, kPngTolerance).isEmpty());
  }
};

QTEST_MAIN(TestSkin)
#include "test_skin.moc"

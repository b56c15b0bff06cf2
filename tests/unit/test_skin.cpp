// The compiled-in skin: every picture the windows load decodes at its size, strips have told-apart
// frames on a transparent ground, nothing stray is shipped, and the set is what the generator draws.
#include "assets/skin.h"

#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
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

int MaxDifference(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      worst =
          std::max({worst, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q))});
    }
  return worst;
}

} // namespace

class TestSkin : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QVERIFY2(QFile::exists(skin::Path(skin::kBackground)), "the skin is not compiled in"); }

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
  void shippedFiles() {
    QSet<QString> known;
    for (const auto& single : skin::kSingles)
      known.insert(skin::Path(single.path).mid(7));
    for (const auto* strip : skin::kStrips)
      known.insert(skin::Path(strip->path).mid(7));
    const QSet<QString> shipped = Shipped();
    QCOMPARE(shipped, known);
    for (const QString& file : shipped) {
      if (!file.endsWith(QLatin1String(".jpg")))
        continue;
      QImageReader reader(QStringLiteral(":/skin/") + file);
      QVERIFY2(!reader.read().isNull(), qPrintable(file + ": " + reader.errorString()));
    }
  }

  // The committed pictures are what the generator draws: a PNG to the pixel, a JPEG to within the
  // decoder's rounding.
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
      QCOMPARE(fresh.size(), committed.size());
      const int worst = MaxDifference(fresh, committed);
      const int allowed = file.endsWith(QLatin1String(".jpg")) ? 6 : 0;
      QVERIFY2(
          worst <= allowed && (allowed > 0 || fresh == committed),
          qPrintable(
              QStringLiteral("%1 differs from what the generator draws (by up to %2)").arg(file).arg(worst)));
    }
  }
};

QTEST_MAIN(TestSkin)
#include "test_skin.moc"

// Skin pictures decoded ahead of the windows: the same pixels as Qt's own readers give, bad bytes
// refused without a crash, and each picture handed out once, the way the windows read it.
#include "assets/skin.h"
#include "framework/decoded_pictures.h"
#include "framework/image_list.h"

#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtTest>

#include <thread>

using namespace zarvo;

namespace {

QByteArray Bytes(const QString& resource) {
  QFile file(resource);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage QtRead(const QString& resource) { return QImageReader(resource).read(); }

// The largest difference of one colour channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
  int largest = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int column = 0; column < x.width(); ++column) {
      const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
      largest = std::max({largest, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                          qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))});
    }
  return largest;
}

} // namespace

class TestDecodedPictures : public QObject {
  Q_OBJECT
private slots:
  // Both decoders, on every picture the windows read: PNGs to the exact pixel, JPEGs within the
  // rounding two builds of one JPEG library may differ by; transparency kept where the file has it.
  void everySkinPictureDecodesAsQtReadsIt() {
    const QStringList pictures = skin::PicturesAtOwnSize();
    QVERIFY(pictures.size() > 40);
    for (const QString& resource : pictures) {
      const bool png = resource.endsWith(QLatin1String(".png"));
      const QImage ours = png ? DecodePng(Bytes(resource)) : DecodeJpeg(Bytes(resource));
      const QImage qt = QtRead(resource);
      QVERIFY2(!ours.isNull() && !qt.isNull(), qPrintable(resource));
      QCOMPARE(ours.size(), qt.size());
      QCOMPARE(ours.hasAlphaChannel(), qt.hasAlphaChannel());
      QVERIFY2(LargestDifference(ours, qt) <= (png ? 0 : 2), qPrintable(resource));
    }
  }

  void badBytesAreRefused() {
    const QByteArray png = Bytes(QString::fromLatin1(skin::kStartList.path));
    const QByteArray jpeg = Bytes(QString::fromLatin1(skin::kBackground));
    QByteArray noise(4096, '\0');
    for (char& c : noise)
      c = char(QRandomGenerator::global()->bounded(256));
    for (const QByteArray& bad : {QByteArray(), noise, png.left(png.size() / 2), png.left(40)}) {
      QVERIFY(DecodePng(bad).isNull());
      QVERIFY(DecodeJpeg(bad).isNull());
    }
    QVERIFY(DecodeJpeg(png).isNull());
    QVERIFY(DecodePng(jpeg).isNull());
    QVERIFY(DecodeJpeg(jpeg.left(10)).isNull());
    // A JPEG cut short still shows what arrived, as Qt's reader does, at its full size.
    QCOMPARE(DecodeJpeg(jpeg.left(jpeg.size() / 2)).size(), QSize(200, 140));
  }

  // Decoded on another thread, published, then read by the windows' loader: each picture once from
  // the set, later reads as usual; a picture that is not there, or not in the set, is read as usual.
  void publishedPicturesAreTakenOnce() {
    const QString band = QString::fromLatin1(skin::kDigitsBand);
    const QString background = QString::fromLatin1(skin::kBackground);
    QCOMPARE(DecodedPictures::Take(band), std::nullopt);
    {
      DecodedPictures pictures;
      std::thread decoder([&pictures, band] {
        pictures.Decode({band, QStringLiteral(":/skin/missing.png")});
      });
      pictures.Publish();
      decoder.join();
      QCOMPARE(DecodedPictures::Take(QStringLiteral(":/skin/missing.png")), std::nullopt);
      const QPixmap first = ReadPicture(band);
      QCOMPARE(first.size(), QSize(188, 29));
      QCOMPARE(DecodedPictures::Take(band), std::nullopt); // taken by the read
      QCOMPARE(LargestDifference(ReadPicture(band).toImage(), first.toImage()), 0);
      QCOMPARE(ReadPicture(background).size(), QSize(200, 140));
    }
    QCOMPARE(DecodedPictures::Take(band), std::nullopt); // gone with the set
  }
};

QTEST_MAIN(TestDecodedPictures)
#include "test_decoded_pictures.moc"

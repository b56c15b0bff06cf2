// On a screen scaled by 2 the windows show the skin's pictures drawn at twice the size, at the same
// logical sizes and places as at scale 1.
#include "assets/skin.h"
#include "framework/decoded_pictures.h"
#include "framework/image_list.h"
#include "tests/gui/zarvo_fixture.h"

#include <QApplication>
#include <QMenu>

using namespace zarvo;
using namespace zarvo::test;

namespace {

void VerifySharp(const QPixmap& picture, QSize logical, const char* what) {
  QVERIFY2(!picture.isNull(), what);
  QCOMPARE(picture.devicePixelRatio(), 2.0);
  QCOMPARE(picture.size(), logical * 2);
}

} // namespace

class TestHiDpi : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

  // Pictures decoded ahead at their own size are of no use where the windows read the sharp ones:
  // the set is dropped when it is published, and the windows read the sharp pictures as usual.
  void picturesDecodedAheadAreDroppedOnAScaledScreen() {
    const QString band = QString::fromLatin1(skin::kDigitsBand);
    DecodedPictures pictures;
    pictures.Decode({band});
    pictures.Publish();
    QCOMPARE(DecodedPictures::Take(band), std::nullopt);
    VerifySharp(LoadSkinPixmap(band), {188, 29}, "band");
  }

  void windowsShowTheSharpPictures() {
    Zarvo zarvo;
    TForm1* main = zarvo.form1;
    VerifySharp(main->BackGround->Picture(), {200, 140}, "background");
    VerifySharp(main->TitleBar->Picture(), {200, 30}, "title bar");
    // Each frame of a strip is cut from the sharp strip in its own pixels.
    VerifySharp(main->Start->Picture(), {85, 50}, "Start");
    VerifySharp(main->Start_List.Frame(2), {85, 50}, "Start, pressed");
    VerifySharp(main->CloseButton_List.Frame(0), {13, 20}, "close button");
    VerifySharp(zarvo.options->Button(7)->Picture(), {140, 30}, "Show a message");

    // Sizes and places stay those of the seed, so outlines and layouts are unchanged.
    QCOMPARE(main->Start->geometry(), QRect(103, 73, 85, 50));
    QCOMPARE(zarvo.options->Button(1)->size(), QSize(140, 35));
    QCOMPARE(main->size(), QSize(200, 140));

    // The three frames still differ: the cut did not slide across frames.
    const QImage normal = main->Start_List.Frame(0).toImage(), pressed = main->Start_List.Frame(2).toImage();
    QVERIFY(normal != pressed);
  }

  void menuPicturesHaveSharpVersions() {
    Zarvo zarvo;
    const auto* about = Control<QAction>(zarvo.Main(), QStringLiteral("About1"));
    // The icon found the sharp partner beside its picture, rather than enlarging the small one.
    QCOMPARE(about->icon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
  }
};

int main(int argc, char** argv) {
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  TestHiDpi test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_hidpi.moc"

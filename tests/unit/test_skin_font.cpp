// The skin's font: the chosen family is installed, and the windows' captions fit their labels at
// the pixel heights the windows are laid out for.
#include "framework/skin_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

using namespace zarvo;

class TestSkinFont : public QObject {
  Q_OBJECT

private slots:
  void familyIsInstalled() {
    for (bool bold : {false, true}) {
      const QFont font = SkinFont(19, bold);
      QCOMPARE(QFontInfo(font).family(), font.family());
      QCOMPARE(QFontInfo(font).bold(), bold);
      QCOMPARE(QFontInfo(font).pixelSize(), 19);
    }
  }

  void captionsFit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("width");
    QTest::newRow("main remaining time") << "00:00:00" << 19 << true << 79;
    QTest::newRow("Time window") << "00:00:00" << 19 << true << 79;
    QTest::newRow("Counter time") << "00:00:00:00" << 24 << true << 140;
    QTest::newRow("Counter state") << "Counting" << 13 << true << 201;
    QTest::newRow("hint line, longest hint") << "Change Transparence/Opacity" << 11 << true << 190;
    QTest::newRow("hint line, first caption") << "Watch here for help" << 11 << true << 190;
    QTest::newRow("About name") << "   Zarvo  " << 24 << true << 104;
    QTest::newRow("About OK") << "    OK    " << 16 << true << 66;
    QTest::newRow("About date") << "07.12.2024" << 11 << true << 65;
    QTest::newRow("About version") << "v 1.0.0.0" << 11 << true << 52;
    // The radio buttons keep about 17 pixels for their round indicator.
    QTest::newRow("radio After") << "After" << 11 << true << 49 - 17;
    QTest::newRow("radio At") << "At" << 11 << true << 33 - 17;
    QTest::newRow("About by") << "by" << 13 << true << 18;
  }

  void captionsFit() {
    QFETCH(QString, text);
    QFETCH(int, pixelHeight);
    QFETCH(bool, bold);
    QFETCH(int, width);
    const QFont font = SkinFont(pixelHeight, bold);
    QVERIFY2(
        QFontMetrics(font).horizontalAdvance(text) <= width,
        qPrintable(
            QStringLiteral("\"%1\" takes %2 px").arg(text).arg(QFontMetrics(font).horizontalAdvance(text))));
  }

  // The clock's regular digits are a little wider than its 70-pixel label at 19 pixels; FitFont
  // gives them the one pixel less they need, and the Counter's hundredth hour gets its size too.
  void fitFontShrinksOnlyAsFarAsNeeded() {
    const QFont clock = FitFont(SkinFont(19, false), QStringLiteral("00:00:00"), 70);
    QVERIFY(QFontMetrics(clock).horizontalAdvance(QStringLiteral("00:00:00")) <= 70);
    QVERIFY(clock.pixelSize() >= 18);
    QVERIFY(!clock.bold());

    const QFont hours = FitFont(SkinFont(24, true), QStringLiteral("100:00:00:00"), 140);
    QVERIFY(QFontMetrics(hours).horizontalAdvance(QStringLiteral("100:00:00:00")) <= 140);
    QVERIFY(hours.pixelSize() >= 22);
    QVERIFY(hours.bold());

    QCOMPARE(FitFont(SkinFont(19, true), QStringLiteral("00:00:00"), 79).pixelSize(), 19);
    QCOMPARE(FitFont(SkinFont(19, true), QStringLiteral("00:00:00"), 1).pixelSize(), 6);
  }
};

QTEST_MAIN(TestSkinFont)
#include "test_skin_font.moc"

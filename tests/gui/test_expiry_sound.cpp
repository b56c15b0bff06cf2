// The expiry's sound step with real sound files: power first, then the sound in the same tick; the
// stop-playing button, its hint and its end-of-playback hide; a second expiry restarting the sound.
#include "tests/support/test_support.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QTemporaryDir>

using namespace zarvo;
using namespace zarvo::test;

class TestExpirySound : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString wav_;

private slots:
  void initTestCase() {
    wav_ = dir_.filePath(QStringLiteral("alarm.wav"));
    QVERIFY(WriteWav(wav_, 1200));
  }

  void powerThenSoundInTheSameTickAndHiddenAtTheEnd() {
    Zarvo z;
    z.ClickOption(TFormOptions::RestartRow);
    z.dialogs.nextFiles << wav_;
    z.ClickOption(TFormOptions::ZarvoRow);
    z.RunToExpiry();
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 6")}));
    QVERIFY(z.form1->MediaPlayer1.IsOpen());
    QCOMPARE(z.form1->MediaPlayer1.FileName, wav_);
    QVERIFY(z.form1->StopPlaying->isVisibleTo(z.form1));
    QCOMPARE(z.form1->MediaPlayer1.Length(), 1200);

    // The hint names where playback is, in whole seconds, truncated.
    QTest::mouseMove(z.form1->StopPlaying, QPoint(3, 3));
    QVERIFY(z.form1->LabelToolTip->text().startsWith(QStringLiteral("Stop playing") +
                                                     QString(14, QLatin1Char(' '))));
    QVERIFY(z.form1->LabelToolTip->text().endsWith(QStringLiteral("/1 s")));

    // The tick hides the button once playback reaches its end.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
          z.Tick();
          return !z.form1->StopPlaying->isVisibleTo(z.form1);
        }(),
        10000);
    QCOMPARE(z.form1->MediaPlayer1.Position(), z.form1->MediaPlayer1.Length());
    QVERIFY(z.dialogs.asked.size() == 1); // only the file dialog: no error
  }

  void stopPlayingStopsAndHides() {
    Zarvo z;
    z.dialogs.nextFiles << wav_;
    z.ClickOption(TFormOptions::ZarvoRow);
    z.RunToExpiry();
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->MediaPlayer1.Position() > 0, 15000);
    QTest::mouseClick(z.form1->StopPlaying, Qt::LeftButton);
    QVERIFY(!z.form1->StopPlaying->isVisibleTo(z.form1));
    const int stoppedAt = z.form1->MediaPlayer1.Position();
    QVERIFY(stoppedAt < 1200);
    QTest::qWait(300);
    QCOMPARE(z.form1->MediaPlayer1.Position(), stoppedAt);
    QVERIFY(z.form1->MediaPlayer1.IsOpen()); // stays open until the next sound or the end

    // With "Show help" off, hovering the button writes nothing.
    z.form1->StopPlaying->show();
    z.form1->Showhelp1->trigger();
    z.form1->LabelToolTip->setText(QStringLiteral("unchanged"));
    QTest::mouseMove(z.form1->StopPlaying, QPoint(4, 4));
    QCOMPARE(z.form1->LabelToolTip->text(), QStringLiteral("unchanged"));
  }

  void nonAudioFileShowsTheErrorOnce() {
    Zarvo z;
    const QString text = dir_.filePath(QStringLiteral("notes.wav"));
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("this is not a sound\n");
    f.close();
    z.dialogs.nextFiles << text;
    z.ClickOption(TFormOptions::ZarvoRow);
    z.dialogs.nextInputs << QStringLiteral("Still shown");
    z.ClickOption(TFormOptions::MessageRow);
    z.RunToExpiry();
    QVERIFY(z.windows.FormMessage()->isVisible());
    QCOMPARE(z.dialogs.asked.last().kind, QStringLiteral("error"));
    QVERIFY(!z.form1->MediaPlayer1.IsOpen());
    const int asked = z.dialogs.asked.size();
    for (int i = 0; i < 3; ++i)
      z.Tick();
    QTest::mouseMove(z.form1->StopPlaying, QPoint(2, 2));
    QCOMPARE(z.dialogs.asked.size(), asked);
  }
};

QTEST_MAIN(TestExpirySound)
#include "test_expiry_sound.moc"

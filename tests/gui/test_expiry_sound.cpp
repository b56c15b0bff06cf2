// The expiry's sound step with real sound files: power first, then the sound begins in the same
// tick, and the later steps follow once the file is open; the stop-playing button, its hint and its
// end-of-playback hide; a second expiry restarting the sound.
#include "tests/support/test_support.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QString kHintStart = QStringLiteral("Stop playing") + QString(14, QLatin1Char(' '));

// Runs ticks until the countdown has expired, writing "tick" into the platform's log before each.
void RunToExpiryLoggingTicks(Zarvo& z) {
  z.form1->StartClick();
  for (int i = 0; i < 200 && z.form1->CountdownRunning(); ++i) {
    z.platform.calls << QStringLiteral("tick");
    z.Tick();
  }
}

} // namespace

class TestExpirySound : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString wav_;    // 3.5 s
  QString second_; // 1.5 s

private slots:
  void initTestCase() {
    wav_ = dir_.filePath(QStringLiteral("alarm.wav"));
    second_ = dir_.filePath(QStringLiteral("bell.wav"));
    QVERIFY(WriteWav(wav_, 3500));
    QVERIFY(WriteWav(second_, 1500));
  }

  void powerThenSoundInTheSameTickAndHiddenAtTheEnd() {
    Zarvo z;
    z.ClickOption(TFormOptions::RestartRow);
    z.dialogs.nextFiles << wav_;
    z.ClickOption(TFormOptions::ZarvoRow);
    z.LogSoundStep();
    RunToExpiryLoggingTicks(z);
    const QStringList calls = z.platform.calls;
    QCOMPARE(calls.mid(calls.lastIndexOf(QStringLiteral("tick"))),
             (QStringList{QStringLiteral("tick"), QStringLiteral("privilege"), QStringLiteral("exit 6"),
                          QStringLiteral("sound")}));
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->MediaPlayer1.IsOpen(), 15000); // the player answers from the event loop
    QCOMPARE(z.form1->MediaPlayer1.FileName, wav_);
    QVERIFY(z.form1->StopPlaying->isVisibleTo(z.form1));
    QCOMPARE(z.form1->MediaPlayer1.Length(), 3500);

    // The hint names where playback is, in whole seconds, truncated.
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->MediaPlayer1.Position() >= 1000, 15000);
    const int before = z.form1->MediaPlayer1.Position() / 1000;
    QTest::mouseMove(z.form1->StopPlaying, QPoint(3, 3));
    const int after = z.form1->MediaPlayer1.Position() / 1000;
    const QString hint = z.form1->LabelToolTip->text();
    QVERIFY2(hint == kHintStart + QStringLiteral("%1/3 s").arg(before) ||
                 hint == kHintStart + QStringLiteral("%1/3 s").arg(after),
             qPrintable(hint));
    QVERIFY(before >= 1 && after <= 3);

    // The tick hides the button once playback reaches its end, and not before.
    z.Tick();
    QVERIFY(z.form1->MediaPlayer1.Position() == z.form1->MediaPlayer1.Length() ||
            z.form1->StopPlaying->isVisibleTo(z.form1));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
          z.Tick();
          return !z.form1->StopPlaying->isVisibleTo(z.form1);
        }(),
        15000);
    QCOMPARE(z.form1->MediaPlayer1.Position(), z.form1->MediaPlayer1.Length());
    QCOMPARE(z.dialogs.asked.size(), 1); // only the file dialog: no error
  }

  void everySelectedActionRunsInOrder() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.dialogs.nextFiles << wav_;
    z.ClickOption(TFormOptions::ZarvoRow);
    z.dialogs.nextFiles << QStringLiteral("/bin/true");
    z.dialogs.nextInputs << QStringLiteral("/bin/true --now");
    z.ClickOption(TFormOptions::ExecuteRow);
    z.dialogs.nextInputs << QStringLiteral("Tea is ready");
    z.ClickOption(TFormOptions::MessageRow);
    z.LogSoundStep();
    const int asked = z.dialogs.asked.size();
    RunToExpiryLoggingTicks(z);
    // Power and sound in the tick that expired; the application and message (its beep) once the
    // sound file is open.
    QTRY_COMPARE(z.platform.calls.last(), QStringLiteral("beep"));
    const QStringList calls = z.platform.calls;
    QCOMPARE(calls.mid(calls.lastIndexOf(QStringLiteral("tick"))),
             (QStringList{QStringLiteral("tick"), QStringLiteral("privilege"), QStringLiteral("exit 13"),
                          QStringLiteral("sound"), QStringLiteral("run /bin/true --now"),
                          QStringLiteral("beep")}));
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->MediaPlayer1.IsOpen(), 15000); // the player answers from the event loop
    QCOMPARE(z.form1->MediaPlayer1.FileName, wav_);
    QVERIFY(z.windows.FormMessage()->isVisible());
    QCOMPARE(z.windows.FormMessage()->Memo1->toPlainText(),
             QStringLiteral("Message at 10:00:59:\nTea is ready"));
    QCoreApplication::processEvents();
    QCOMPARE(z.dialogs.asked.size(), asked); // no box of its own
  }

  void secondExpiryRestartsWithTheNewFile() {
    Zarvo z;
    z.dialogs.nextFiles << wav_;
    z.ClickOption(TFormOptions::ZarvoRow);
    z.RunToExpiry();
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->MediaPlayer1.Position() >= 500, 15000);

    // Another file chosen while the first still plays: the next expiry cuts it off and starts the
    // new one from its beginning.
    z.ClickOption(TFormOptions::ZarvoRow);
    z.dialogs.nextFiles << second_;
    z.ClickOption(TFormOptions::ZarvoRow);
    QCOMPARE(z.form1->Selection.SoundFileName, second_);
    QVERIFY(z.form1->MediaPlayer1.Position() < 3500);
    z.RunToExpiry();
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->MediaPlayer1.IsOpen(), 15000);
    QCOMPARE(z.form1->MediaPlayer1.FileName, second_);
    QCOMPARE(z.form1->MediaPlayer1.Length(), 1500);
    QVERIFY(z.form1->MediaPlayer1.Position() < 1000);
    QVERIFY(z.form1->StopPlaying->isVisibleTo(z.form1));
    QTRY_COMPARE_WITH_TIMEOUT(z.form1->MediaPlayer1.Position(), 1500, 15000);
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
    QVERIFY(stoppedAt < 3500);
    QVERIFY(ExpectNothingFor(300, [&] { return z.form1->MediaPlayer1.Position() != stoppedAt; }));
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
    QTRY_VERIFY(z.windows.FormMessage()->isVisible());
    QTRY_COMPARE(z.dialogs.asked.last().kind, QStringLiteral("error"));
    QVERIFY(z.dialogs.asked.last().text.contains(text));
    QVERIFY(!z.form1->MediaPlayer1.IsOpen());
    const int asked = z.dialogs.asked.size();

    // The button is still up with nothing open behind it: hovering it names no position and raises
    // nothing, and the next tick takes it away without a word.
    QVERIFY(z.form1->StopPlaying->isVisibleTo(z.form1));
    QTest::mouseMove(z.form1->StopPlaying, QPoint(2, 2));
    QCOMPARE(z.form1->LabelToolTip->text(), kHintStart + QStringLiteral("0/0 s"));
    z.Tick();
    QVERIFY(!z.form1->StopPlaying->isVisibleTo(z.form1));
    for (int i = 0; i < 3; ++i)
      z.Tick();
    QCoreApplication::processEvents();
    QCOMPARE(z.dialogs.asked.size(), asked);
  }
};

QTEST_MAIN(TestExpirySound)
#include "test_expiry_sound.moc"

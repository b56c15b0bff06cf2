// The stopwatch window driven through its buttons with the fake clock: the state table, pauses,
// late ticks, counting while hidden, and the hints of its labels.
#include "zarvo_fixture.h"

#include <QAction>

using namespace zarvo;
using namespace zarvo::test;

namespace {

struct Counter {
  Zarvo z;
  TFormCounter* c = z.windows.FormCounter();

  void Click(ImageButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // Moves the clock on and lets one stopwatch tick run.
  void Wait(int ms) {
    z.clock.Advance(ms);
    c->Timer1Timer();
  }
  QString Display() const { return c->Label_Time->text(); }
  QString State() const { return c->LabelInfo->text(); }
};

} // namespace

class TestCounterWindow : public QObject {
  Q_OBJECT
private slots:
  void startsStoppedAtZero() {
    Counter t;
    QCOMPARE(t.Display(), QStringLiteral("00:00:00:00"));
    QCOMPARE(t.State(), QStringLiteral("Stopped"));
    // Large bold digits that fit the display.
    QVERIFY(t.c->Label_Time->font().bold() && t.c->Label_Time->font().pixelSize() >= 20);
    QVERIFY(t.c->Label_Time->fontMetrics().horizontalAdvance(t.Display()) <= 140);
    QCOMPARE(t.c->Start->FrameIndex(), 0);
    QCOMPARE(t.c->Pause->FrameIndex(), 0);
    QCOMPARE(t.c->Stop->FrameIndex(), 0);
  }

  void stateTable() {
    Counter t;
    // Stopped: Pause does nothing, Stop stays stopped.
    t.Click(t.c->Pause);
    QCOMPARE(t.State(), QStringLiteral("Stopped"));
    QVERIFY(!t.c->CounterPaused);
    t.Click(t.c->Stop);
    QCOMPARE(t.State(), QStringLiteral("Stopped"));

    // Stopped -> Start -> Counting.
    t.Click(t.c->Start);
    QCOMPARE(t.State(), QStringLiteral("Counting"));
    QVERIFY(!t.c->CounterPaused);
    t.Wait(1'230);
    QCOMPARE(t.Display(), QStringLiteral("00:00:01:23"));

    // Counting -> Start: from zero again.
    t.Click(t.c->Start);
    t.Wait(40);
    QCOMPARE(t.Display(), QStringLiteral("00:00:00:04"));

    // Counting -> Pause -> Paused; the display stands still.
    t.Click(t.c->Pause);
    QCOMPARE(t.State(), QStringLiteral("Paused"));
    QVERIFY(t.c->CounterPaused);
    t.Wait(5'000);
    QCOMPARE(t.Display(), QStringLiteral("00:00:00:04"));

    // Paused -> Start resumes rather than resets.
    t.Click(t.c->Start);
    QCOMPARE(t.State(), QStringLiteral("Counting"));
    t.Wait(1'000);
    QCOMPARE(t.Display(), QStringLiteral("00:00:01:04"));

    // Paused -> Pause resumes too.
    t.Click(t.c->Pause);
    t.Wait(300);
    t.Click(t.c->Pause);
    t.Wait(10);
    QCOMPARE(t.Display(), QStringLiteral("00:00:01:05"));

    // Counting -> Stop: the last value stays; the next Start is from zero.
    t.Wait(2'000);
    t.Click(t.c->Stop);
    QCOMPARE(t.State(), QStringLiteral("Stopped"));
    QVERIFY(!t.c->CounterPaused);
    QCOMPARE(t.Display(), QStringLiteral("00:00:03:05"));
    t.z.clock.Advance(60'000);
    QCOMPARE(t.Display(), QStringLiteral("00:00:03:05"));
    t.Click(t.c->Start);
    t.Wait(20);
    QCOMPARE(t.Display(), QStringLiteral("00:00:00:02"));
  }

  void stopWhilePausedFreezesThePausedValue() {
    Counter t;
    t.Click(t.c->Start);
    t.Wait(2'500);
    t.Click(t.c->Pause);
    t.Wait(4'000);
    t.Click(t.c->Stop);
    QCOMPARE(t.State(), QStringLiteral("Stopped"));
    QCOMPARE(t.Display(), QStringLiteral("00:00:02:50"));
    // Stopped is not paused: Start begins from zero.
    t.Click(t.c->Start);
    t.Wait(70);
    QCOMPARE(t.Display(), QStringLiteral("00:00:00:07"));
  }

  void fiveSecondsPauseThreeResumeTwoShowsSeven() {
    Counter t;
    t.Click(t.c->Start);
    for (int i = 0; i < 500; ++i)
      t.Wait(10);
    t.Click(t.c->Pause);
    for (int i = 0; i < 300; ++i)
      t.Wait(10);
    t.Click(t.c->Pause);
    for (int i = 0; i < 200; ++i)
      t.Wait(10);
    QCOMPARE(t.Display(), QStringLiteral("00:00:07:00"));
  }

  // The refresh timer is not woken for each tick: a pause, a resume and a stop work out the ticks
  // that fell since, exactly as if each had run.
  void ticksNotWokenForCountAsIfTheyHadRun() {
    Counter t;
    t.Click(t.c->Start);
    t.z.clock.Advance(1'234);
    t.Click(t.c->Pause); // the last tick came at 1.23 s
    QCOMPARE(t.Display(), QStringLiteral("00:00:01:23"));
    t.z.clock.Advance(3'005);
    t.Click(t.c->Pause); // resumed 9 ms after the pause's last tick (4.230 s): those count as elapsed
    t.z.clock.Advance(1'001);
    t.Click(t.c->Stop);
    // The last tick at 5.240 s, less the 2.996 s paused up to the pause's last tick.
    QCOMPARE(t.Display(), QStringLiteral("00:00:02:24"));
    QCOMPARE(t.State(), QStringLiteral("Stopped"));
  }

  void lateAndMissedTicksDoNotDrift() {
    Counter t;
    t.Click(t.c->Start);
    // A busy machine: ticks arrive late, bunched or not at all for a while.
    for (int ms : {3, 27, 1, 480, 10, 2'479})
      t.Wait(ms);
    QCOMPARE(t.Display(), QStringLiteral("00:00:03:00"));
    // The part of a pause between its last tick and the resume click counts as elapsed.
    t.Click(t.c->Pause);
    t.Wait(995);
    t.z.clock.Advance(5);
    t.Click(t.c->Pause);
    t.Wait(0);
    QCOMPARE(t.Display(), QStringLiteral("00:00:03:00"));
    t.Wait(1'000);
    QCOMPARE(t.Display(), QStringLiteral("00:00:04:00"));
  }

  void hoursGrowPastNinetyNine() {
    Counter t;
    t.Click(t.c->Start);
    t.Wait(359'999'999);
    QCOMPARE(t.Display(), QStringLiteral("99:59:59:99"));
    t.Wait(1);
    QCOMPARE(t.Display(), QStringLiteral("100:00:00:00"));
    // The label is wide enough for the longer text at its fixed size.
    QCOMPARE(t.c->Label_Time->size(), QSize(140, 30));
    QVERIFY(t.c->Label_Time->fontMetrics().horizontalAdvance(t.Display()) <= 140);
    QVERIFY(t.c->Label_Time->font().pixelSize() >= 16);
  }

  void displayDrawsItsDigitsCentredInLime() {
    Counter t;
    auto limeColumns = [&] {
      const QImage image = t.c->Label_Time->grab().toImage().convertToFormat(QImage::Format_RGB32);
      int left = image.width(), right = -1;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          const QColor c = image.pixelColor(x, y);
          if (c.green() > 220 && c.red() < 80 && c.blue() < 80) {
            left = qMin(left, x);
            right = qMax(right, x);
          }
        }
      return std::pair{left, right};
    };
    const auto [left, right] = limeColumns();
    QVERIFY2(right - left > 100, "the digits fill the display");
    QVERIFY(qAbs(left - (139 - right)) <= 4); // centred
    const QImage zero = t.c->Label_Time->grab().toImage();
    t.Click(t.c->Start);
    t.Wait(11'110);
    QCOMPARE(t.Display(), QStringLiteral("00:00:11:11"));
    QVERIFY(t.c->Label_Time->grab().toImage() != zero);
    // The longer text of 100 hours and more still fits, centred.
    t.Wait(360'000'000);
    const auto [left100, right100] = limeColumns();
    QVERIFY(left100 >= 0 && right100 <= 139 && right100 - left100 > 100);
  }

  // A suspend in the middle counts: the stopwatch shows the real time elapsed, as a wall clock would.
  void countsTheTimeTheComputerSleeps() {
    Counter t;
    t.Click(t.c->Start);
    t.Wait(1'000);
    t.z.clock.Suspend(60'000);
    t.Wait(1'000);
    QCOMPARE(t.Display(), QStringLiteral("00:01:02:00"));
  }

  void keepsCountingWhileHidden() {
    Counter t;
    t.Click(t.c->Start);
    t.Wait(500);
    QTest::mouseClick(t.c->CloseButton, Qt::LeftButton);
    QVERIFY(!t.c->isVisible());
    QVERIFY(!t.c->Timer1.isActive()); // nothing to refresh off the screen
    t.z.clock.Advance(1'500);
    Press(t.z.Main(), QStringLiteral("Counter"));
    QVERIFY(t.c->isVisible());
    QCOMPARE(t.Display(), QStringLiteral("00:00:02:00")); // current as soon as shown
    QCOMPARE(t.State(), QStringLiteral("Counting"));
    // Paused, it refreshes nothing either; shown again, it shows the pause's figure.
    t.Click(t.c->Pause);
    QVERIFY(!t.c->Timer1.isActive());
    QTest::mouseClick(t.c->CloseButton, Qt::LeftButton);
    t.z.clock.Advance(700);
    Press(t.z.Main(), QStringLiteral("Counter"));
    QCOMPARE(t.Display(), QStringLiteral("00:00:02:00"));
  }

  void realTimerTicksWhileCounting() {
    Counter t;
    t.Click(t.c->Start);
    t.z.clock.Advance(250);
    // The 10 ms timer itself brings the display up to date.
    QTRY_COMPARE_WITH_TIMEOUT(t.Display(), QStringLiteral("00:00:00:25"), 10'000);
  }

  void labelsNameThemselvesInTheHintLine() {
    Counter t;
    Hover(t.c, QStringLiteral("Label_Time"), QPoint(20, 10));
    QVERIFY(t.z.HintShown());
    QCOMPARE(t.z.Hint(), QStringLiteral("Counter time elapsed"));
    Hover(t.c, QStringLiteral("LabelInfo"), QPoint(30, 5));
    QCOMPARE(t.z.Hint(), QStringLiteral("Counter state"));
    // The background hides it again.
    Zarvo::HoverBackground(t.c, QPoint(100, 135));
    QVERIFY(!t.z.HintShown());

    // Show help off: the labels write nothing.
    QVERIFY(Trigger(t.z.Main(), QStringLiteral("Showhelp1")));
    QVERIFY(!MenuChecked(t.z.Main(), QStringLiteral("Showhelp1")));
    Hover(t.c, QStringLiteral("Label_Time"), QPoint(25, 10));
    QVERIFY(!t.z.HintShown());
  }

  void labelsPassTheirMovesOnToTheHover() {
    Counter t;
    // A hovered Counter button goes back to its normal frame when the pointer moves onto a label.
    Hover(t.c, QStringLiteral("Pause"), QPoint(30, 15));
    QCOMPARE(Zarvo::Frame(t.c, QStringLiteral("Pause")), 1);
    QCOMPARE(t.z.Hint(), QStringLiteral("Pause counting"));
    Hover(t.c, QStringLiteral("Label_Time"), QPoint(30, 15));
    QCOMPARE(Zarvo::Frame(t.c, QStringLiteral("Pause")), 0);
    QCOMPARE(t.z.Hint(), QStringLiteral("Counter time elapsed"));
    // Back onto the button: it lights again, as the hover was released.
    Hover(t.c, QStringLiteral("Pause"), QPoint(31, 15));
    QCOMPARE(Zarvo::Frame(t.c, QStringLiteral("Pause")), 1);
  }

  void draggingByALabelMovesTheWindowAlone() {
    Counter t;
    const QPoint before = t.c->pos(), main = t.z.Main()->pos();
    QTest::mousePress(t.c->Label_Time, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(10 + 33, 10 - 12),
                     QPointF(t.c->Label_Time->mapToGlobal(QPoint(10 + 33, 10 - 12))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.c->Label_Time, &move);
    QCOMPARE(t.c->pos(), before + QPoint(33, -12));
    QCOMPARE(t.z.Main()->pos(), main);
  }
};

QTEST_MAIN(TestCounterWindow)
#include "test_counter_window.moc"

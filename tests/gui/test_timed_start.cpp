// A countdown given on the command line, started in the real windows: the Options window shows the
// actions as if chosen there, the mode and picker are set and the countdown runs to its actions.
#include "main/timed_command_line.h"
#include "zarvo_fixture.h"

#include <QRadioButton>
#include <QTimeEdit>

using namespace zarvo;
using namespace zarvo::test;

class TestTimedStart : public QObject {
  Q_OBJECT
private slots:
  void atWithStandByAndMessage() {
    Zarvo z;
    TimedStart start;
    start.mode = CountdownMode::At;
    start.pickerMs = 10 * 3'600'000 + 30'000; // 10:00:30, half a minute from the fixture's clock
    start.selection.StandBySelected = true;
    start.selection.ShowMessageSelected = true;
    start.selection.MessageText = QStringLiteral("Good night");
    z.windows.StartTimed(start);

    QVERIFY(z.Counting());
    QVERIFY(Control<QRadioButton>(z.Main(), QStringLiteral("RadioAt"))->isChecked());
    QCOMPARE(z.PickerTime(), QTime(10, 0, 30));
    QCOMPARE(z.options->CheckState(TFormOptions::StandByRow), 1);
    QCOMPARE(z.options->CheckState(TFormOptions::MessageRow), 1);
    for (int row : {TFormOptions::ShutDownRow, TFormOptions::RestartRow, TFormOptions::LogOffRow,
                    TFormOptions::HibernateRow, TFormOptions::ZarvoRow, TFormOptions::ExecuteRow})
      QCOMPARE(z.options->CheckState(row), 0);
    QCOMPARE(z.OptionParameter(TFormOptions::MessageRow), QStringLiteral("Message= Good night"));
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:29"));

    z.TickToExpiry();
    QVERIFY(!z.Counting());
    QCOMPARE(z.platform.calls.mid(0, 2),
             (QStringList{QStringLiteral("privilege"), QStringLiteral("power suspend force")}));
    QTRY_VERIFY(z.MessageWindow()->isVisible()); // after the wake-up

    // Chosen "as if there": clicking the selected power action again turns it off as usual.
    z.ClickOption(TFormOptions::StandByRow);
    QCOMPARE(z.options->CheckState(TFormOptions::StandByRow), 0);
  }

  void afterWithSoundAndProgram() {
    Zarvo z;
    Press(z.Main(), QStringLiteral("RadioAt")); // the command line's mode wins
    TimedStart start;
    start.mode = CountdownMode::After;
    start.pickerMs = 90 * 60'000;
    start.selection.PlaySoundSelected = true;
    start.selection.SoundFileName = QStringLiteral("/home/user/bell.wav");
    start.selection.RunApplicationSelected = true;
    start.selection.ApplicationCommand = QStringLiteral("notify-send done");
    z.windows.StartTimed(start);
    QVERIFY(z.Counting());
    QVERIFY(Control<QRadioButton>(z.Main(), QStringLiteral("RadioAfter"))->isChecked());
    QCOMPARE(z.PickerTime(), QTime(1, 30, 0));
    QCOMPARE(z.options->CheckState(TFormOptions::ZarvoRow), 1);
    QCOMPARE(z.options->CheckState(TFormOptions::ExecuteRow), 1);
    QCOMPARE(z.OptionParameter(TFormOptions::ZarvoRow), QStringLiteral("Sound file= /home/user/bell.wav"));
    QCOMPARE(z.OptionParameter(TFormOptions::ExecuteRow), QStringLiteral("Path= notify-send done"));
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("01:29:59"));
    QVERIFY(z.platform.idleInhibited);
  }
};

QTEST_MAIN(TestTimedStart)
#include "test_timed_start.moc"

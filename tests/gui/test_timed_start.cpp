// A countdown given on the command line, started in the real windows: the Options window shows the
// actions as if chosen there, the mode and picker are set and the countdown runs to its actions.
#include "zarvo_fixture.h"

#include "main/timed_command_line.h"

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

    QVERIFY(z.form1->CountdownRunning());
    QVERIFY(z.form1->RadioAt->isChecked());
    QCOMPARE(z.form1->SetTime->time(), QTime(10, 0, 30));
    QCOMPARE(z.options->CheckState(TFormOptions::StandByRow), 1);
    QCOMPARE(z.options->CheckState(TFormOptions::MessageRow), 1);
    for (int row : {TFormOptions::ShutDownRow, TFormOptions::RestartRow, TFormOptions::LogOffRow,
                    TFormOptions::HibernateRow, TFormOptions::ZarvoRow, TFormOptions::ExecuteRow})
      QCOMPARE(z.options->CheckState(row), 0);
    QVERIFY(z.form1->Selection.StandBySelected && z.form1->Selection.ShowMessageSelected);
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:29"));

    for (int i = 0; i < 200 && z.form1->CountdownRunning(); ++i)
      z.Tick();
    QVERIFY(!z.form1->CountdownRunning());
    QCOMPARE(z.platform.calls.mid(0, 2),
             (QStringList{QStringLiteral("privilege"), QStringLiteral("power suspend force")}));
    QTRY_VERIFY(z.windows.FormMessage()->isVisible()); // after the wake-up

    // Chosen "as if there": clicking the selected power action again turns it off as usual.
    z.ClickOption(TFormOptions::StandByRow);
    QVERIFY(!z.form1->Selection.StandBySelected);
    QCOMPARE(z.options->CheckState(TFormOptions::StandByRow), 0);
  }

  void afterWithSoundAndProgram() {
    Zarvo z;
    QTest::mouseClick(z.form1->RadioAt, Qt::LeftButton); // the command line's mode wins
    TimedStart start;
    start.mode = CountdownMode::After;
    start.pickerMs = 90 * 60'000;
    start.selection.PlaySoundSelected = true;
    start.selection.SoundFileName = QStringLiteral("/home/user/bell.wav");
    start.selection.RunApplicationSelected = true;
    start.selection.ApplicationCommand = QStringLiteral("notify-send done");
    z.windows.StartTimed(start);
    QVERIFY(z.form1->CountdownRunning());
    QVERIFY(z.form1->RadioAfter->isChecked());
    QCOMPARE(z.form1->SetTime->time(), QTime(1, 30, 0));
    QCOMPARE(z.options->CheckState(TFormOptions::ZarvoRow), 1);
    QCOMPARE(z.options->CheckState(TFormOptions::ExecuteRow), 1);
    QCOMPARE(z.form1->Selection.SoundFileName, QStringLiteral("/home/user/bell.wav"));
    QCOMPARE(z.form1->Selection.ApplicationCommand, QStringLiteral("notify-send done"));
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("01:29:59"));
    QVERIFY(z.platform.idleInhibited);
  }
};

QTEST_MAIN(TestTimedStart)
#include "test_timed_start.moc"

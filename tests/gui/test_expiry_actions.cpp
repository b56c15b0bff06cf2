// What happens at expiry and from the Run menu: power requests, application, message window, errors.
#include "zarvo_fixture.h"

#include "framework/time_format.h"
#include <QAction>

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimeEdit>

using namespace zarvo;
using namespace zarvo::test;

namespace {

void SelectMessage(Zarvo& z, const QString& text) {
  z.dialogs.nextInputs << text;
  z.ClickOption(TFormOptions::MessageRow);
}

} // namespace

class TestExpiryActions : public QObject {
  Q_OBJECT
private slots:
  void standByReturnsAfterResumeThenTheOtherStepsRun() {
    Zarvo z;
    z.ClickOption(TFormOptions::StandByRow);
    SelectMessage(z, QStringLiteral("Back"));
    bool messageWhileAsleep = true;
    z.platform.whileAsleep = [&] {
      messageWhileAsleep = z.MessageWindow()->isVisible();
      z.clock.Sleep(10 * 60'000);
    };
    QSignalSpy broadcasts(&z.platform, &Platform::PowerBroadcast);
    z.RunToExpiry();
    QCOMPARE(z.platform.calls,
             (QStringList{QStringLiteral("privilege"), QStringLiteral("power suspend force")}));
    QTRY_VERIFY(z.MessageWindow()->isVisible()); // once the machine has woken up
    QVERIFY(!messageWhileAsleep);
    QCOMPARE(z.platform.calls.last(), QStringLiteral("beep"));
    // The countdown had stopped before the stand-by: the wake-up that follows brings no warning.
    QTRY_COMPARE(broadcasts.count(), 2);
    QCOMPARE(broadcasts.at(1).at(0).toInt(), PowerEvent::ResumeSuspend);
    QCOMPARE(z.dialogs.asked.size(), 1);
  }

  // A box raised from the tick is shown after the tick has returned: the clock and the countdown
  // go on while it is open, as they do behind any modal box.
  void clockRunsBehindTheErrorBox() {
    Zarvo z;
    z.dialogs.nextFiles << QStringLiteral("/nonexistent/alarm.wav");
    z.ClickOption(TFormOptions::ZarvoRow);
    QVERIFY(z.SetPicker(QTime(0, 0, 1)));
    z.PressStart();
    bool advanced = false;
    z.dialogs.whileErrorShown = [&] {
      z.clock.Advance(2000);
      QTRY_COMPARE_WITH_TIMEOUT(z.LocalTime(), QStringLiteral("10:00:03"), 10000);
      advanced = true;
    };
    z.clock.Advance(1000); // the final second: the next real tick expires
    z.StartTicking();
    QTRY_VERIFY_WITH_TIMEOUT(
        !z.dialogs.asked.isEmpty() && z.dialogs.asked.last().kind == QLatin1String("error"), 15000);
    QVERIFY(advanced);
    QVERIFY(!z.Counting());
  }

  void forceOptionFollowsItsMenuItem() {
    Zarvo z;
    const QString force = QStringLiteral("ForceShutDown1");
    QVERIFY(MenuChecked(z.Main(), force));
    QVERIFY(Trigger(z.Main(), force));
    QVERIFY(!MenuChecked(z.Main(), force));
    z.ClickOption(TFormOptions::ShutDownRow);
    z.RunToExpiry();
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 9"));
    z.dialogs.nextAnswers << Answer::Ok; // the Run menu's confirmation
    QVERIFY(Trigger(z.Main(), QStringLiteral("Hibernate1")));
    QCOMPARE(z.platform.calls.last(), QStringLiteral("power hibernate"));
    QVERIFY(Trigger(z.Main(), force));
    QVERIFY(MenuChecked(z.Main(), force));
    z.dialogs.nextAnswers << Answer::Ok;
    QVERIFY(Trigger(z.Main(), QStringLiteral("Hibernate1")));
    QCOMPARE(z.platform.calls.last(), QStringLiteral("power hibernate force"));
  }

  void runMenuAsksFirstUnlessSwitchedOff() {
    Zarvo z;
    z.dialogs.nextAnswers << Answer::Cancel;
    QVERIFY(Trigger(z.Main(), QStringLiteral("ShutDown1")));
    QVERIFY(z.platform.calls.isEmpty());
    const FakeDialogs::Asked& box = z.dialogs.asked.last();
    QCOMPARE(box.text, QStringLiteral("ShutDown now?"));
    QCOMPARE(box.caption, QStringLiteral("Confirmation"));
    QCOMPARE(box.buttons, Buttons::OkCancel);
    QCOMPARE(box.icon, Icon::Question);

    z.dialogs.nextAnswers << Answer::Ok;
    QVERIFY(Trigger(z.Main(), QStringLiteral("LogOff1")));
    QCOMPARE(z.dialogs.asked.last().text, QStringLiteral("LogOff now?"));
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 4")}));

    QVERIFY(Trigger(z.Main(), QStringLiteral("Showconfirmation1"))); // its own check mark goes off
    QVERIFY(!MenuChecked(z.Main(), QStringLiteral("Showconfirmation1")));
    const int asked = z.dialogs.asked.size();
    QVERIFY(Trigger(z.Main(), QStringLiteral("Restart1")));
    QVERIFY(Trigger(z.Main(), QStringLiteral("StandBy1")));
    QCOMPARE(z.dialogs.asked.size(), asked);
    QCOMPARE(z.platform.calls.mid(2),
             (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 6"), QStringLiteral("privilege"),
                          QStringLiteral("power suspend force")}));
  }

  void wordsAreCaseSensitive() {
    Zarvo z;
    z.form1->PerformPowerAction(QStringLiteral("Shutdown"));
    QCOMPARE(z.platform.calls, QStringList{QStringLiteral("privilege")});
    z.form1->PerformPowerAction(QString()); // no word and no flag: nothing either
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("privilege")}));
  }

  void soundThatCannotOpenDoesNotCostTheOtherActions() {
    Zarvo z;
    z.dialogs.nextFiles << QStringLiteral("/nonexistent/alarm.wav");
    z.ClickOption(TFormOptions::ZarvoRow);
    z.dialogs.nextFiles << QStringLiteral("/bin/true");
    z.ClickOption(TFormOptions::ExecuteRow);
    SelectMessage(z, QStringLiteral("Wake up"));
    z.RunToExpiry();
    QTRY_COMPARE(z.platform.calls, (QStringList{QStringLiteral("run /bin/true"), QStringLiteral("beep")}));
    QVERIFY(z.MessageWindow()->isVisible());
    QTRY_COMPARE(z.dialogs.asked.last().kind, QStringLiteral("error"));
    QVERIFY(!z.dialogs.asked.last().text.isEmpty());
    // The stop-playing button has nothing to stop: the next tick hides it, and no error repeats.
    QWidget* stopPlaying = Control(z.Main(), QStringLiteral("StopPlaying"));
    QVERIFY(stopPlaying->isVisibleTo(z.Main()));
    const int asked = z.dialogs.asked.size();
    z.Tick();
    QVERIFY(!stopPlaying->isVisibleTo(z.Main()));
    z.Tick();
    QCOMPARE(z.dialogs.asked.size(), asked);
  }

  // A program that cannot be started is said so, naming the command and the reason, once the
  // message is up; the power action and the message are not held up by it.
  void programThatCannotStartIsReportedAfterTheMessage() {
    Zarvo z;
    const QString command = QStringLiteral("/home/u/alarm.sh --loud");
    z.platform.runFailures.insert(command, QStringLiteral("the file is not executable"));
    z.ClickOption(TFormOptions::RestartRow);
    z.dialogs.nextFiles << QStringLiteral("/home/u/alarm.sh");
    z.dialogs.nextInputs << command;
    z.ClickOption(TFormOptions::ExecuteRow);
    SelectMessage(z, QStringLiteral("Wake up"));
    bool messageUpAtTheError = false;
    z.dialogs.whileErrorShown = [&] { messageUpAtTheError = z.MessageWindow()->isVisible(); };
    z.RunToExpiry();
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 6"),
                                            QStringLiteral("run ") + command, QStringLiteral("beep")}));
    QTRY_COMPARE(z.dialogs.asked.last().kind, QStringLiteral("error"));
    QCOMPARE(z.dialogs.asked.last().text, QStringLiteral("The application could not be started:\n") +
                                              command + QStringLiteral("\n\nThe file is not executable."));
    QVERIFY(messageUpAtTheError);
    QCOMPARE(z.dialogs.asked.count(), 4); // file, input, message text, the error
  }

  void messageWindowShownTwiceKeepsTheFirstText() {
    Zarvo z;
    SelectMessage(z, QStringLiteral("First"));
    z.RunToExpiry();
    TFormMessage* message = z.windows.FormMessage();
    QCOMPARE(message->Memo1->toPlainText(), QStringLiteral("Message at 10:00:59:\nFirst"));
    QVERIFY(message->Memo1->isReadOnly());
    QCOMPARE(message->size(), QSize(200, 140));
    QVERIFY(message->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    Press(z.Main(), QStringLiteral("RadioAfter"));
    z.RunToExpiry();
    QCOMPARE(message->Memo1->toPlainText(), QStringLiteral("Message at 10:00:59:\nFirst"));
    QCOMPARE(z.platform.calls.count(QStringLiteral("beep")), 1);
    // Closed and shown again: a fresh stamp and a beep.
    QTest::mouseClick(message->CloseButton, Qt::LeftButton);
    QVERIFY(!message->isVisible());
    z.RunToExpiry();
    QCOMPARE(message->Memo1->toPlainText(),
             QStringLiteral("Message at %1:\nFirst").arg(FormatTime(z.clock.TimeOfDayMs())));
    QCOMPARE(z.platform.calls.count(QStringLiteral("beep")), 2);
  }

  void minimisedProgramComesBackOnlyForTheMessage() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.PressStart();
    Press(z.Main(), QStringLiteral("Minimize"));
    QVERIFY(z.Main()->isMinimized());
    QVERIFY(!z.OptionsWindow()->isVisible()); // the group goes with it
    z.TickToExpiry();
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 13"));
    QVERIFY(z.Main()->isMinimized());

    // Restored from the task bar, the message chosen, minimised again.
    z.Main()->showNormal();
    QTRY_VERIFY(z.OptionsWindow()->isVisible());
    SelectMessage(z, QStringLiteral("Look"));
    z.PressStart();
    Press(z.Main(), QStringLiteral("Minimize"));
    QVERIFY(z.Main()->isMinimized());
    z.TickToExpiry();
    QVERIFY(!z.Main()->isMinimized());
    QVERIFY(z.OptionsWindow()->isVisible());
    QVERIFY(z.MessageWindow()->isVisible());
  }

  // The stop-playing button's end-of-playback check runs while the windows are in the tray: when
  // they come back after the sound has ended, the button is gone.
  void stopPlayingGoesAtTheEndWhileTheWindowsAreAway() {
    Zarvo z;
    z.dialogs.nextFiles << QStringLiteral("/nonexistent/alarm.wav");
    z.ClickOption(TFormOptions::ZarvoRow);
    z.form1->StartClick();
    z.form1->CoolTrayIcon1.MinimizeToTray = true;
    z.form1->MinimizeApplication();
    QVERIFY(!z.form1->isVisible());
    z.TickToExpiry();
    QTRY_VERIFY(z.dialogs.asked.last().kind == QStringLiteral("error")); // the sound's end, at once
    QVERIFY(z.form1->StopPlaying->isVisibleTo(z.form1));
    z.Tick();
    z.form1->CoolTrayIcon1Click();
    QVERIFY(z.form1->isVisible());
    QVERIFY(!z.form1->StopPlaying->isVisible());
  }

  // An expiry while a parameter dialog is open acts on the selection as it stood before that click:
  // no empty message, no sound or program without a file.
  void anExpiryDuringAParameterDialogUsesTheSelectionBeforeIt() {
    for (int row : {TFormOptions::ZarvoRow, TFormOptions::ExecuteRow, TFormOptions::MessageRow}) {
      Zarvo z;
      z.ClickOption(TFormOptions::RestartRow);
      z.form1->SetTime->setTime(QTime(0, 0, 1));
      z.form1->StartClick();
      bool expiredMeanwhile = false;
      auto expire = [&] {
        z.Tick(1000);
        expiredMeanwhile = !z.form1->CountdownRunning();
      };
      z.dialogs.whileFileShown = expire;
      z.dialogs.whileInputShown = expire;
      z.dialogs.nextFiles << QStringLiteral("/usr/bin/true");
      z.dialogs.nextInputs << QStringLiteral("Tea");
      z.ClickOption(row);
      QVERIFY(expiredMeanwhile);
      QCoreApplication::processEvents();
      QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 6")}));
      QVERIFY(z.form1->StopPlaying->isHidden());
      QVERIFY(!z.form1->FormMessage || !z.form1->FormMessage->isVisible());
      QVERIFY(z.dialogs.asked.last().kind != QStringLiteral("error"));
      // The answer counts from then on.
      QVERIFY(row != TFormOptions::MessageRow || z.form1->Selection.MessageText == QStringLiteral("Tea"));
      QVERIFY(z.form1->Selection.AnySelected());
    }
  }

  void stampPadsTheTime() {
    QCOMPARE(StampMessage(((9 * 60 + 3) * 60 + 7) * 1000 + 999, QStringLiteral("x")),
             QStringLiteral("Message at 09:03:07:\r\nx"));
  }
};

QTEST_MAIN(TestExpiryActions)
#include "test_expiry_actions.moc"

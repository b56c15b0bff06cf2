// What happens at expiry and from the Run menu: power requests, application, message window, errors.
#include "zarvo_fixture.h"

#include <QAction>
#include "framework/time_format.h"

#include <QPlainTextEdit>

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
  void everySelectedActionRunsInOrder() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.dialogs.nextFiles << QStringLiteral("/bin/true");
    z.dialogs.nextInputs << QStringLiteral("/bin/true --now");
    z.ClickOption(TFormOptions::ExecuteRow);
    SelectMessage(z, QStringLiteral("Tea is ready"));
    const int asked = z.dialogs.asked.size();
    z.RunToExpiry();
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 13"),
                                            QStringLiteral("run /bin/true --now"), QStringLiteral("beep")}));
    QCOMPARE(z.dialogs.asked.size(), asked); // no box of its own
    TFormMessage* message = z.windows.FormMessage();
    QVERIFY(message->isVisible());
    QCOMPARE(message->Memo1->toPlainText(), QStringLiteral("Message at 10:00:59:\nTea is ready"));
  }

  void standByReturnsAfterResumeThenTheOtherStepsRun() {
    Zarvo z;
    z.ClickOption(TFormOptions::StandByRow);
    SelectMessage(z, QStringLiteral("Back"));
    bool messageWhileAsleep = true;
    z.platform.whileAsleep = [&] {
      messageWhileAsleep = z.windows.FormMessage()->isVisible();
      z.platform.Broadcast(PowerEvent::ResumeSuspend); // the wake-up arrives before the request returns
    };
    z.RunToExpiry();
    QVERIFY(!messageWhileAsleep);
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("power suspend force"),
                                            QStringLiteral("beep")}));
    QVERIFY(z.windows.FormMessage()->isVisible());
    // The countdown had stopped before the stand-by: no suspend warning.
    QVERIFY(z.dialogs.asked.size() == 1);
  }

  void forceOptionFollowsItsMenuItem() {
    Zarvo z;
    QVERIFY(z.form1->ForceShutDown && z.form1->ForceShutDown1->isChecked());
    z.form1->ForceShutDown1->trigger();
    QVERIFY(!z.form1->ForceShutDown && !z.form1->ForceShutDown1->isChecked());
    z.ClickOption(TFormOptions::ShutDownRow);
    z.RunToExpiry();
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 9"));
    z.form1->ForceShutDown1->trigger();
    QVERIFY(z.form1->ForceShutDown && z.form1->ForceShutDown1->isChecked());
    z.form1->ClearHover();
    z.form1->PerformPowerAction(QStringLiteral("hibernate"));
    QCOMPARE(z.platform.calls.last(), QStringLiteral("power hibernate force"));
  }

  void runMenuAsksFirstUnlessSwitchedOff() {
    Zarvo z;
    z.dialogs.nextAnswers << Answer::Cancel;
    z.form1->ShutDown1->trigger();
    QVERIFY(z.platform.calls.isEmpty());
    const FakeDialogs::Asked& box = z.dialogs.asked.last();
    QCOMPARE(box.text, QStringLiteral("ShutDown now?"));
    QCOMPARE(box.caption, QStringLiteral("Confirmation"));
    QCOMPARE(box.buttons, Buttons::OkCancel);
    QCOMPARE(box.icon, Icon::Question);

    z.dialogs.nextAnswers << Answer::Ok;
    z.form1->LogOff1->trigger();
    QCOMPARE(z.dialogs.asked.last().text, QStringLiteral("LogOff now?"));
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 4")}));

    z.form1->Showconfirmation1->trigger(); // its own check mark goes off
    QVERIFY(!z.form1->Showconfirmation1->isChecked());
    const int asked = z.dialogs.asked.size();
    z.form1->Restart1->trigger();
    z.form1->StandBy1->trigger();
    QCOMPARE(z.dialogs.asked.size(), asked);
    QCOMPARE(z.platform.calls.mid(2), (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 6"),
                                                   QStringLiteral("privilege"), QStringLiteral("power suspend force")}));
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
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("run /bin/true"), QStringLiteral("beep")}));
    QVERIFY(z.windows.FormMessage()->isVisible());
    QCOMPARE(z.dialogs.asked.last().kind, QStringLiteral("error"));
    QVERIFY(!z.dialogs.asked.last().text.isEmpty());
    // The stop-playing button has nothing to stop: the next tick hides it, and no error repeats.
    QVERIFY(z.form1->StopPlaying->isVisibleTo(z.form1));
    const int asked = z.dialogs.asked.size();
    z.Tick();
    QVERIFY(!z.form1->StopPlaying->isVisibleTo(z.form1));
    z.Tick();
    QCOMPARE(z.dialogs.asked.size(), asked);
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
    z.form1->RadioAfterClick();
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
    QTest::mouseClick(z.form1->Minimize, Qt::LeftButton);
    QVERIFY(z.form1->isMinimized());
    QVERIFY(!z.options->isVisible()); // the group goes with it
    z.RunToExpiry();
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 13"));
    QVERIFY(z.form1->isMinimized());

    SelectMessage(z, QStringLiteral("Look"));
    z.RunToExpiry();
    QVERIFY(!z.form1->isMinimized());
    QVERIFY(z.options->isVisible());
    QVERIFY(z.windows.FormMessage()->isVisible());
  }

  void stampPadsTheTime() {
    QCOMPARE(StampMessage(((9 * 60 + 3) * 60 + 7) * 1000 + 999, QStringLiteral("x")),
             QStringLiteral("Message at 09:03:07:\r\nx"));
  }
};

QTEST_MAIN(TestExpiryActions)
#include "test_expiry_actions.moc"

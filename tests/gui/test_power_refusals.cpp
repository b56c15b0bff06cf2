// A power action that cannot happen is told: when the countdown starts (and when its action changes),
// when the system refuses it at expiry or from the Run menu, and when a countdown comes too late.
#include "zarvo_fixture.h"

#include <QAction>
#include <QTimeEdit>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QString kPolicy = QStringLiteral("the system's security policy does not allow it for this user");

// The boxes the program showed of its own (not the file and input dialogs of the Options window).
QList<FakeDialogs::Asked> Boxes(const Zarvo& z) {
  QList<FakeDialogs::Asked> boxes;
  for (const FakeDialogs::Asked& a : z.dialogs.asked)
    if (a.kind == QLatin1String("message"))
      boxes << a;
  return boxes;
}

} // namespace

class TestPowerRefusals : public QObject {
  Q_OBJECT
private slots:
  void checkedAtStart_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(PowerCapability::Answer::Yes);
    QTest::newRow("challenge") << int(PowerCapability::Answer::Challenge);
    QTest::newRow("no") << int(PowerCapability::Answer::No);
  }
  void checkedAtStart() {
    QFETCH(int, answer);
    Zarvo z;
    z.platform.capabilities.insert(
        QStringLiteral("hibernate"),
        {PowerCapability::Answer(answer), QStringLiteral("hibernation is not available")});
    z.ClickOption(TFormOptions::HibernateRow);
    QTest::mouseClick(z.form1->Start, Qt::LeftButton);
    QTRY_COMPARE(z.platform.checks, QStringList{QStringLiteral("hibernate")});
    QVERIFY(z.form1->CountdownRunning()); // whatever the answer, the other actions still happen
    switch (PowerCapability::Answer(answer)) {
    case PowerCapability::Answer::Yes:
      QTest::qWait(50); // nothing more is said
      QVERIFY(Boxes(z).isEmpty() && z.platform.notifications.isEmpty());
      break;
    case PowerCapability::Answer::Challenge:
      QTRY_COMPARE(z.form1->LabelToolTip->text(), QStringLiteral("A password will be needed"));
      QCOMPARE(z.platform.notifications.size(), 1);
      QVERIFY(z.platform.lastNotification.body.contains(QLatin1String("password to hibernate the computer")));
      QVERIFY(!z.platform.lastNotification.critical);
      QVERIFY(Boxes(z).isEmpty());
      break;
    case PowerCapability::Answer::No:
      QTRY_COMPARE(Boxes(z).size(), 1);
      QCOMPARE(Boxes(z).first().icon, Icon::Warning);
      QVERIFY(Boxes(z).first().text.startsWith(
          QLatin1String("This computer will not let Zarvo hibernate the computer when the time is up.")));
      QVERIFY(Boxes(z).first().text.contains(QLatin1String("Hibernation is not available.")));
      break;
    }
  }

  // Choosing another power action while the countdown runs asks again; an answer about an action
  // no longer chosen says nothing.
  void checkedAgainWhenTheActionChanges() {
    Zarvo z;
    z.platform.capabilities.insert(QStringLiteral("restart"), {PowerCapability::Answer::No, kPolicy});
    z.ClickOption(TFormOptions::RestartRow);
    QTest::mouseClick(z.form1->Start, Qt::LeftButton);
    z.ClickOption(TFormOptions::ShutDownRow); // before the first answer has come
    QTRY_COMPARE(z.platform.checks, (QStringList{QStringLiteral("restart"), QStringLiteral("shutdown")}));
    QTest::qWait(50);
    QVERIFY(Boxes(z).isEmpty());
    z.ClickOption(TFormOptions::RestartRow);
    QTRY_COMPARE(Boxes(z).size(), 1);
    QVERIFY(Boxes(z).first().text.contains(QLatin1String("restart the computer")));
  }

  // Refused at expiry: the sound, program and message steps still run, then a critical
  // notification and a box name the action and the reason.
  void refusedAtExpiry_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("phrase");
    QTest::newRow("shut down") << int(TFormOptions::ShutDownRow) << QStringLiteral("shut the computer down");
    QTest::newRow("stand-by") << int(TFormOptions::StandByRow)
                              << QStringLiteral("put the computer on stand-by");
  }
  void refusedAtExpiry() {
    QFETCH(int, row);
    QFETCH(QString, phrase);
    Zarvo z;
    z.platform.refusal = kPolicy;
    z.ClickOption(row);
    z.dialogs.nextInputs << QStringLiteral("Time is up");
    z.ClickOption(TFormOptions::MessageRow);
    z.form1->SetTime->setTime(QTime(0, 0, 5));
    z.RunToExpiry();
    QTRY_VERIFY(z.windows.FormMessage()->isVisible());
    QTRY_COMPARE(Boxes(z).size(), 1);
    const FakeDialogs::Asked box = Boxes(z).first();
    QCOMPARE(box.icon, Icon::Error);
    QCOMPARE(box.text, QStringLiteral("Zarvo could not %1.\n\nThe system's security policy does not allow it "
                                      "for this user.")
                           .arg(phrase));
    QVERIFY(z.platform.lastNotification.critical);
    QCOMPARE(z.platform.lastNotification.body, box.text);
  }

  void refusedFromTheRunMenu() {
    Zarvo z;
    z.platform.refusal = kPolicy;
    z.form1->Showconfirmation1->trigger(); // no question first
    z.form1->ShutDown1->trigger();
    QTRY_COMPARE(Boxes(z).size(), 1);
    QVERIFY(Boxes(z).first().text.startsWith(QLatin1String("Zarvo could not shut the computer down.")));
    // Accepted, nothing is said.
    z.platform.refusal.clear();
    z.form1->Restart1->trigger();
    QTRY_COMPARE(z.platform.calls.last(), QStringLiteral("exit 6"));
    QTest::qWait(50);
    QCOMPARE(Boxes(z).size(), 1);
  }

  // The program stood still across the target: 30 s late it still acts, 3 minutes late it stops
  // the countdown and says why, and does nothing.
  void lateTickActsOnlyWithinAMinute() {
    for (const bool late : {false, true}) {
      Zarvo z;
      z.ClickOption(TFormOptions::ShutDownRow);
      z.form1->SetTime->setTime(QTime(0, 0, 5));
      QTest::mouseClick(z.form1->Start, Qt::LeftButton);
      z.Tick(4'000); // 00:00:01
      z.Tick(late ? 3 * 60'000 : 30'000);
      QVERIFY(!z.form1->CountdownRunning());
      if (!late) {
        QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 13"));
        continue;
      }
      QVERIFY(!z.platform.calls.contains(QStringLiteral("exit 13")));
      QTRY_COMPARE(Boxes(z).size(), 1);
      QVERIFY(Boxes(z).first().text.startsWith(QLatin1String("Zarvo could not act on time")));
      QVERIFY(Boxes(z).first().text.contains(QLatin1String("3 min ago")));
    }
  }
};

QTEST_MAIN(TestPowerRefusals)
#include "test_power_refusals.moc"

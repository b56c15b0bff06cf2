// Choosing the expiry actions in the Options window: check images, the power group, the three dialogs.
#include "zarvo_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

using namespace zarvo;
using namespace zarvo::test;

namespace {
const QString kSound = QStringLiteral("/music/bell.mp3");
const QString kProgram = QStringLiteral("/usr/bin/xmessage");
} // namespace

class TestOptionsWindow : public QObject {
  Q_OBJECT
private slots:
  void layoutAndNames() {
    Zarvo z;
    QCOMPARE(z.options->size(), QSize(200, 280));
    const int tops[] = {35, 65, 95, 125, 155, 185, 215, 245};
    const QSize sizes[] = {{140, 25}, {140, 35}, {140, 30}, {140, 30},
                           {140, 30}, {140, 30}, {140, 30}, {140, 30}};
    const char* hints[] = {
        "Shuts Down the computer", "Restart the computer", "Log Off", "StandBy", "Hibernate", "Play a sound",
        "Run an application",      "Shows a message"};
    for (int row = 0; row < TFormOptions::kRows; ++row) {
      QCOMPARE(z.options->Button(row)->geometry(), QRect(QPoint(41, tops[row]), sizes[row]));
      QCOMPARE(z.options->Check(row)->geometry(), QRect(23, tops[row] - 1, 35, 25));
      QCOMPARE(z.options->Button(row)->accessibleName(), QString::fromLatin1(hints[row]));
      QCOMPARE(z.options->CheckState(row), 0);
    }
    QCOMPARE(z.options->Button(TFormOptions::ZarvoRow)->objectName(), QStringLiteral("Zarvo"));
    QCOMPARE(z.options->Check(TFormOptions::ZarvoRow)->objectName(), QStringLiteral("ZarvoCheck"));
  }

  void powerGroupActsAsRadioGroupThatAllowsNone() {
    Zarvo z;
    z.dialogs.nextInputs << QStringLiteral("Tea");
    z.ClickOption(TFormOptions::MessageRow);
    z.ClickOption(TFormOptions::ShutDownRow);
    QCOMPARE(z.options->CheckState(TFormOptions::ShutDownRow), 1);
    z.ClickOption(TFormOptions::RestartRow);
    QCOMPARE(z.options->CheckState(TFormOptions::ShutDownRow), 0);
    QCOMPARE(z.options->CheckState(TFormOptions::RestartRow), 1);
    z.ClickOption(TFormOptions::RestartRow);
    for (int row = TFormOptions::ShutDownRow; row <= TFormOptions::HibernateRow; ++row)
      QCOMPARE(z.options->CheckState(row), 0);
    // The message action is untouched by the power group.
    QCOMPARE(z.options->CheckState(TFormOptions::MessageRow), 1);
    QCOMPARE(z.OptionParameter(TFormOptions::MessageRow), QStringLiteral("Message= Tea"));
    // With no power action left, a countdown still starts for the message alone.
    z.PressStart();
    QVERIFY(z.Counting());
  }

  void soundAsksForAFileAndKeepsItOnCancel() {
    Zarvo z;
    z.dialogs.nextFiles << kSound;
    z.ClickOption(TFormOptions::ZarvoRow);
    QCOMPARE(z.OptionParameter(TFormOptions::ZarvoRow), QStringLiteral("Sound file= ") + kSound);
    QCOMPARE(z.dialogs.asked.last().text, QStringLiteral("Sounds(*.mp3,*.wav)|*.mp3;*.wav"));
    QCOMPARE(z.dialogs.asked.last().caption, QStringLiteral("Zarvo.wav"));
    QCOMPARE(z.options->CheckState(TFormOptions::ZarvoRow), 1);

    z.ClickOption(TFormOptions::ZarvoRow); // deselecting asks nothing
    QCOMPARE(z.dialogs.asked.size(), 1);
    QCOMPARE(z.options->CheckState(TFormOptions::ZarvoRow), 0);

    z.ClickOption(TFormOptions::ZarvoRow); // selecting again asks again, and is cancelled
    QCOMPARE(z.dialogs.asked.size(), 2);
    QCOMPARE(z.options->CheckState(TFormOptions::ZarvoRow), 0);
    // The file chosen before is kept, though nothing on screen shows it while deselected.
    QCOMPARE(z.form1->Selection.SoundFileName, kSound);
  }

  void applicationTakesPathThenParameters() {
    Zarvo z;
    z.dialogs.nextFiles << kProgram;
    z.dialogs.nextInputs << (kProgram + QStringLiteral(" -center \"Time is up\""));
    z.ClickOption(TFormOptions::ExecuteRow);
    QCOMPARE(z.options->CheckState(TFormOptions::ExecuteRow), 1);
    QCOMPARE(z.OptionParameter(TFormOptions::ExecuteRow),
             QStringLiteral("Path= ") + kProgram + QStringLiteral(" -center \"Time is up\""));
    const FakeDialogs::Asked& input = z.dialogs.asked.last();
    QCOMPARE(input.caption, QStringLiteral("Application Path & Parameters"));
    QCOMPARE(input.text, QStringLiteral("Path & parameters:"));
    QCOMPARE(input.defaultText, kProgram);
    QCOMPARE(z.dialogs.asked.first().text, kApplicationsFilter);
    QCOMPARE(z.dialogs.asked.first().caption, QStringLiteral("Zarvo.exe"));

    // Input box cancelled: the bare path. Emptied and OK: selected with an empty command line.
    z.ClickOption(TFormOptions::ExecuteRow);
    z.dialogs.nextFiles << kProgram;
    z.ClickOption(TFormOptions::ExecuteRow);
    QCOMPARE(z.OptionParameter(TFormOptions::ExecuteRow), QStringLiteral("Path= ") + kProgram);
    z.ClickOption(TFormOptions::ExecuteRow);
    z.dialogs.nextFiles << kProgram;
    z.dialogs.nextInputs << QString();
    z.ClickOption(TFormOptions::ExecuteRow);
    QCOMPARE(z.options->CheckState(TFormOptions::ExecuteRow), 1);
    QCOMPARE(z.OptionParameter(TFormOptions::ExecuteRow), QStringLiteral("Path= "));

    // File dialog cancelled: deselected, command line kept.
    z.ClickOption(TFormOptions::ExecuteRow);
    z.ClickOption(TFormOptions::ExecuteRow);
    QCOMPARE(z.options->CheckState(TFormOptions::ExecuteRow), 0);
  }

  void messageNeedsText() {
    Zarvo z;
    z.dialogs.nextInputs << QString(); // empty and OK
    z.ClickOption(TFormOptions::MessageRow);
    QCOMPARE(z.options->CheckState(TFormOptions::MessageRow), 0);
    QCOMPARE(z.dialogs.asked.last().caption, QStringLiteral("Message"));
    QCOMPARE(z.dialogs.asked.last().text, QStringLiteral("Message to show:"));

    z.dialogs.nextInputs << QStringLiteral("   "); // blanks are text
    z.ClickOption(TFormOptions::MessageRow);
    QCOMPARE(z.options->CheckState(TFormOptions::MessageRow), 1);

    z.ClickOption(TFormOptions::MessageRow); // deselect
    z.ClickOption(TFormOptions::MessageRow); // select again, cancel: the earlier text comes back
    QCOMPARE(z.options->CheckState(TFormOptions::MessageRow), 1);
    QCOMPARE(z.dialogs.asked.last().defaultText, QStringLiteral("   "));
    QCOMPARE(z.OptionParameter(TFormOptions::MessageRow), QStringLiteral("Message=    "));
  }

  void parameterTooltipsFollowTheSelection() {
    Zarvo z;
    ImageButton* message = z.options->Button(TFormOptions::MessageRow);
    QTest::mouseMove(message, QPoint(10, 10));
    QVERIFY(message->toolTip().isEmpty());
    z.dialogs.nextInputs << QStringLiteral("Stretch");
    z.ClickOption(TFormOptions::MessageRow);
    QTest::mouseMove(message, QPoint(11, 10));
    QCOMPARE(message->toolTip(), QStringLiteral("Message= Stretch"));
    z.ClickOption(TFormOptions::MessageRow);
    QTest::mouseMove(message, QPoint(12, 10));
    QCOMPARE(message->toolTip(), QStringLiteral("Message= Stretch")); // kept after deselection
    QVERIFY(z.options->Button(TFormOptions::ShutDownRow)->toolTip().isEmpty());
  }

  void controlsAreOperableByAssistiveTechnology() {
    Zarvo z;
    QAccessibleInterface* button =
        QAccessible::queryAccessibleInterface(z.options->Button(TFormOptions::HibernateRow));
    QVERIFY(button);
    QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Hibernate"));
    QCOMPARE(button->role(), QAccessible::Button);
    QVERIFY(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(z.options->CheckState(TFormOptions::HibernateRow), 1);

    // The main window's Start is found and pressed the same way, and says what it does now.
    QAccessibleInterface* start =
        QAccessible::queryAccessibleInterface(Control(z.Main(), QStringLiteral("Start")));
    QCOMPARE(start->text(QAccessible::Name), QStringLiteral("Start counting"));
    start->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(start->text(QAccessible::Name), QStringLiteral("Stop counting"));
    QVERIFY(z.Counting());
    for (const char* name :
         {"Label_TimeRemaining", "Label_Time", "SetTime", "RadioAfter", "RadioAt", "Menu"}) {
      QVERIFY2(!AccessibleName(z.Main(), QString::fromLatin1(name)).isEmpty(), name);
    }
  }

  void hoverFramesAndHintLine() {
    Zarvo z;
    ImageButton* shutDown = z.options->Button(TFormOptions::ShutDownRow);
    ImageButton* restart = z.options->Button(TFormOptions::RestartRow);
    QTest::mouseMove(shutDown, QPoint(5, 5));
    QCOMPARE(shutDown->FrameIndex(), 1);
    QCOMPARE(z.Hint(), QStringLiteral("Shuts Down the computer"));
    QTest::mouseMove(restart, QPoint(5, 5));
    QCOMPARE(shutDown->FrameIndex(), 0);
    QCOMPARE(restart->FrameIndex(), 1);
    QCOMPARE(z.Hint(), QStringLiteral("Restart the computer"));
    QTest::mousePress(restart, Qt::LeftButton);
    QCOMPARE(restart->FrameIndex(), 2);
    QTest::mouseRelease(restart, Qt::LeftButton);
    QCOMPARE(restart->FrameIndex(), 0);
    QCOMPARE(z.options->CheckState(TFormOptions::RestartRow), 1);
  }
};

QTEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"

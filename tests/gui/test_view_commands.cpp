// The main window's commands over the group: transparency, always on top, the View captions, Align,
// the time-only view and the Time window's own place and menus.
#include "framework/window_outline.h"
#include "small_windows/about_window.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QTimeEdit>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const char* const kLevels[] = {"Disabled", "Low", "Mediu", "Intermediar", "Hight"};

int Alpha(const QWidget* w) { return qRound(w->windowOpacity() * 255); }

// The one level whose item is checked in the Transparent button's menu (`suffix` "1") or in the
// main menu's Transparent submenu ("2"); -1 for none, -2 for more than one.
int CheckedLevel(const Zarvo& z, const char* suffix) {
  int checked = -1;
  for (int i = 0; i < 5; ++i)
    if (MenuChecked(z.Main(), QString::fromLatin1(kLevels[i]) + QLatin1String(suffix))) {
      if (checked != -1)
        return -2;
      checked = i;
    }
  return checked;
}

QMenu* Menu(const Zarvo& z, const char* name) { return Control<QMenu>(z.Main(), QString::fromLatin1(name)); }

// The time-only view: the Time window alone on screen.
bool TimeOnlyView(const Zarvo& z) {
  return z.TimeWindow()->isVisible() && !z.Main()->isVisible() && !z.OptionsWindow()->isVisible() &&
         !z.CounterWindow()->isVisible();
}

bool ViewItemsChecked(const Zarvo& z, bool checked) {
  return MenuChecked(z.Main(), QStringLiteral("ShowonlyTimeRemaining1")) == checked &&
         MenuChecked(z.Main(), QStringLiteral("PopupMenuShowTime1")) == checked;
}

// A right click as the desktop delivers it: a context-menu event at `at` on `widget`.
void ContextMenuAt(QWidget* widget, QPoint at) {
  QContextMenuEvent e(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &e);
}

void MoveMain(const Zarvo& z, int left, int top) { static_cast<SkinnedWindow*>(z.Main())->MoveTo(left, top); }

// A countdown of a minute with Shut down selected.
void StartCounting(Zarvo& z) {
  z.ClickOption(TFormOptions::ShutDownRow);
  z.PressStart();
  QVERIFY(z.Counting());
}

} // namespace

class TestViewCommands : public QObject {
  Q_OBJECT
private slots:
  void transparencyLevelsOnTheWholeGroup() {
    Zarvo z;
    QCOMPARE(CheckedLevel(z, "1"), 0);
    QCOMPARE(CheckedLevel(z, "2"), 0);
    const int alphas[] = {255, 230, 200, 150, 100};
    // Each level from either menu: all four windows of the group, both menus' marks in step.
    for (const char* menu : {"1", "2"})
      for (int level : {1, 2, 3, 4, 0}) {
        const QString item = QString::fromLatin1(kLevels[level]) + QLatin1String(menu);
        QCOMPARE(MenuCaption(z.Main(), item), QString::fromLatin1(kLevels[level]));
        QVERIFY(Trigger(z.Main(), item));
        for (QWidget* w : z.Group())
          QCOMPARE(Alpha(w), alphas[level]);
        QCOMPARE(CheckedLevel(z, "1"), level);
        QCOMPARE(CheckedLevel(z, "2"), level);
        // The Message and About windows stay out of it.
        QCOMPARE(Alpha(z.MessageWindow()), 255);
        QCOMPARE(Alpha(z.windows.FormAbout()), 255);
      }
    // "Hight", then "Disabled": opaque again.
    QVERIFY(Trigger(z.Main(), QStringLiteral("Hight1")));
    QCOMPARE(Alpha(z.TimeWindow()), 100);
    QVERIFY(Trigger(z.Main(), QStringLiteral("Disabled2")));
    for (QWidget* w : z.Group())
      QCOMPARE(w->windowOpacity(), 1.0);
    QCOMPARE(CheckedLevel(z, "1"), 0);
    QCOMPARE(CheckedLevel(z, "2"), 0);
  }

  void alwaysOnTopFromTheMenuKeepsAllThreeOutlines() {
    Zarvo z;
    const QRegion main = OutlineRegion(140, {Box(155, 2, 169, 17)});
    const QRegion options = OutlineRegion(280, {Box(140, 1, 155, 16), Box(157, 1, 172, 16)});
    const QRegion counter = OutlineRegion(140, {Box(140, 1, 155, 16), Box(157, 1, 172, 16)});
    for (bool on : {true, false}) {
      QVERIFY(Trigger(z.Main(), QStringLiteral("Alwaysontop1")));
      QCOMPARE(MenuChecked(z.Main(), QStringLiteral("Alwaysontop1")), on);
      for (QWidget* w : z.Group())
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
      QCOMPARE(z.Main()->mask(), main);
      QCOMPARE(z.OptionsWindow()->mask(), options);
      QCOMPARE(z.CounterWindow()->mask(), counter);
      QVERIFY(z.Main()->isVisible() && z.OptionsWindow()->isVisible() && z.CounterWindow()->isVisible());
      QVERIFY(!z.TimeWindow()->isVisible());
    }
  }

  void viewCaptionsFollowTheShowAndHideCommands() {
    Zarvo z;
    const QString hideOptions = QStringLiteral("HideOptionsPanel1"),
                  hideCounter = QStringLiteral("HideCounter1");
    // The settings load ran both commands: the captions are the replaced ones from the start.
    QCOMPARE(MenuCaption(z.Main(), hideOptions), QStringLiteral("Hide Options Panel"));
    QCOMPARE(MenuCaption(z.Main(), hideCounter), QStringLiteral("Hide Counter Panel"));

    Press(z.Main(), QStringLiteral("Options"));
    QVERIFY(!z.OptionsWindow()->isVisible());
    QCOMPARE(MenuCaption(z.Main(), hideOptions), QStringLiteral("Show Options Panel"));
    QVERIFY(Trigger(z.Main(), hideOptions));
    QVERIFY(z.OptionsWindow()->isVisible());
    QCOMPARE(MenuCaption(z.Main(), hideOptions), QStringLiteral("Hide Options Panel"));

    QVERIFY(Trigger(z.Main(), hideCounter));
    QVERIFY(!z.CounterWindow()->isVisible());
    QCOMPARE(MenuCaption(z.Main(), hideCounter), QStringLiteral("Show Counter Panel"));
    Press(z.Main(), QStringLiteral("Counter"));
    QVERIFY(z.CounterWindow()->isVisible());
    QCOMPARE(MenuCaption(z.Main(), hideCounter), QStringLiteral("Hide Counter Panel"));
    // The buttons show the windows' state once hovered and left over the background.
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Counter")), 0);
    Hover(z.Main(), QStringLiteral("Counter"), QPoint(5, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Counter")), 1);
    Zarvo::HoverBackground(z.Main(), QPoint(5, 60));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Counter")), 2);
  }

  void closeButtonsHideWithoutTouchingTheCaptions() {
    Zarvo z;
    Press(z.OptionsWindow(), QStringLiteral("CloseButton"));
    QVERIFY(!z.OptionsWindow()->isVisible());
    QCOMPARE(MenuCaption(z.Main(), QStringLiteral("HideOptionsPanel1")),
             QStringLiteral("Hide Options Panel"));
    // The Options button takes the hover, with its hint.
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Options")), 1);
    QCOMPARE(z.Hint(), QStringLiteral("Show/Hide options panel"));

    Press(z.CounterWindow(), QStringLiteral("CloseButton"));
    QVERIFY(!z.CounterWindow()->isVisible());
    QCOMPARE(MenuCaption(z.Main(), QStringLiteral("HideCounter1")), QStringLiteral("Hide Counter Panel"));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Counter")), 0);
    // The main window's own command then shows them again.
    QVERIFY(Trigger(z.Main(), QStringLiteral("HideCounter1")));
    QVERIFY(z.CounterWindow()->isVisible());
  }

  void alignDocksVisibleAndHiddenSatellites() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    const QRect m = z.Main()->geometry();
    z.options->MoveTo(m.x() - 350, m.y() + 77);
    QVERIFY(Trigger(z.Main(), QStringLiteral("AlignOptionswindow1")));
    QCOMPARE(z.options->pos(), QPoint(m.x() - 200, m.y()));
    QVERIFY(z.options->isVisible());

    // A hidden Counter moves and stays hidden; shown later, it is docked.
    Press(z.Main(), QStringLiteral("Counter"));
    counter->MoveTo(m.x() + 300, m.y() - 20);
    QVERIFY(Trigger(z.Main(), QStringLiteral("AlignCounterwindow1")));
    QVERIFY(!counter->isVisible());
    QCOMPARE(counter->pos(), QPoint(m.x(), m.y() + 140));
    Press(z.Main(), QStringLiteral("Counter"));
    QCOMPARE(counter->pos(), QPoint(m.x(), m.y() + 140));

    // The window's own Align button does the same, and changes no lock.
    const bool locked = z.options->Locked();
    z.options->MoveTo(10, 10);
    QTest::mousePress(z.options->Align, Qt::LeftButton);
    QCOMPARE(z.options->Align->FrameIndex(), 1);
    QTest::mouseRelease(z.options->Align, Qt::LeftButton);
    QCOMPARE(z.options->Align->FrameIndex(), 0);
    QCOMPARE(z.options->pos(), QPoint(m.x() - 200, m.y()));
    QCOMPARE(z.options->Locked(), locked);
  }

  void lockToggleShowsItsStateAndMovesNothing() {
    Zarvo z;
    for (SatelliteWindow* w : std::initializer_list<SatelliteWindow*>{z.options, z.windows.FormCounter()}) {
      QVERIFY(w->Locked());
      QCOMPARE(w->Locked_->FrameIndex(), 1);
      const QPoint at = w->pos();
      QTest::mouseClick(w->Locked_, Qt::LeftButton);
      QVERIFY(!w->Locked());
      QCOMPARE(w->Locked_->FrameIndex(), 0);
      QCOMPARE(w->pos(), at);
      QTest::mouseClick(w->Locked_, Qt::LeftButton);
      QVERIFY(w->Locked());
      QCOMPARE(w->Locked_->FrameIndex(), 1);
      // Its hint shows whether or not "Show help" is ticked.
      QVERIFY(Trigger(z.Main(), QStringLiteral("Showhelp1")));
      QVERIFY(!MenuChecked(z.Main(), QStringLiteral("Showhelp1")));
      QTest::mouseMove(w->Locked_, QPoint(5, 5));
      QVERIFY(z.HintShown());
      QCOMPARE(z.Hint(), QStringLiteral("Lock window - move together"));
      QVERIFY(Trigger(z.Main(), QStringLiteral("Showhelp1")));
    }
  }

  void clickStartFirst() {
    Zarvo z;
    Press(z.Main(), QStringLiteral("ShowTime"));
    QCOMPARE(z.dialogs.Texts(), QStringList{QStringLiteral("Click Start first")});
    QCOMPARE(z.dialogs.asked.last().buttons, Buttons::Ok);
    QVERIFY(z.Main()->isVisible() && z.OptionsWindow()->isVisible() && z.CounterWindow()->isVisible());
    QVERIFY(!z.TimeWindow()->isVisible());
    QVERIFY(ViewItemsChecked(z, false));
    // The menu item answers the same and keeps its mark.
    QVERIFY(Trigger(z.Main(), QStringLiteral("ShowonlyTimeRemaining1")));
    QCOMPARE(z.dialogs.asked.size(), 2);
    QVERIFY(ViewItemsChecked(z, false));
    QVERIFY(!z.TimeWindow()->isVisible());
  }

  void timeOnlyViewRoundTripShowsAHiddenCounter() {
    Zarvo z;
    StartCounting(z);
    Press(z.Main(), QStringLiteral("Counter"));
    QVERIFY(!z.CounterWindow()->isVisible());

    Press(z.Main(), QStringLiteral("ShowTime"));
    QVERIFY(TimeOnlyView(z));
    QVERIFY(ViewItemsChecked(z, true));
    z.Tick();
    QCOMPARE(Text(z.TimeWindow(), QStringLiteral("Label_TimeRemaining")), QStringLiteral("00:00:59"));

    // Back by a double click on the time: all three come back, the Counter too.
    DoubleClick(z.TimeWindow(), QStringLiteral("Label_TimeRemaining"));
    QVERIFY(!z.TimeWindow()->isVisible());
    QVERIFY(z.Main()->isVisible() && z.OptionsWindow()->isVisible() && z.CounterWindow()->isVisible());
    QCOMPARE(MenuCaption(z.Main(), QStringLiteral("HideCounter1")), QStringLiteral("Show Counter Panel"));
    QVERIFY(ViewItemsChecked(z, false));
    QVERIFY(z.Counting());
  }

  void timeWindowKeepsItsOwnPlace() {
    Zarvo z;
    QWidget* time = z.TimeWindow();
    QWidget* label = Control(time, QStringLiteral("Label_TimeRemaining"));
    StartCounting(z);
    MoveMain(z, 40, 30);
    QVERIFY(Trigger(z.Main(), QStringLiteral("PopupMenuShowTime1")));
    QVERIFY(time->isVisible());
    QCOMPARE(time->pos(), QPoint(731, 254));
    QCOMPARE(time->size(), QSize(112, 25));

    // Dragged by its label: it moves by exactly the pointer's movement.
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(10 - 131, 10 + 46),
                     QPointF(label->mapToGlobal(QPoint(10 - 131, 10 + 46))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(10 - 131, 10 + 46));
    QCOMPARE(time->pos(), QPoint(600, 300));
    QCOMPARE(z.Main()->pos(), QPoint(40, 30));

    // Leaving and entering the view again: where it was left, wherever the main window is.
    QVERIFY(Trigger(z.Main(), QStringLiteral("ShowonlyTimeRemaining1")));
    QVERIFY(!time->isVisible());
    MoveMain(z, 500, 500);
    Press(z.Main(), QStringLiteral("ShowTime"));
    QCOMPARE(time->pos(), QPoint(600, 300));
  }

  void timeWindowMenus() {
    Zarvo z;
    QWidget* time = z.TimeWindow();
    StartCounting(z);
    Press(z.Main(), QStringLiteral("ShowTime"));
    // On the time: the one-item menu.
    ContextMenuAt(Control(time, QStringLiteral("Label_TimeRemaining")), QPoint(30, 10));
    QTRY_VERIFY(Menu(z, "PopupMenuShowTime")->isVisible());
    QVERIFY(!Menu(z, "PopupMenu1")->isVisible());
    const QList<QAction*> items = Menu(z, "PopupMenuShowTime")->actions();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first()->text(), QStringLiteral("Show only Time Remaining"));
    QVERIFY(items.first()->isChecked());
    Menu(z, "PopupMenuShowTime")->hide();
    // Beside the time: the main menu.
    ContextMenuAt(time, QPoint(5, 12));
    QTRY_VERIFY(Menu(z, "PopupMenu1")->isVisible());
    QVERIFY(!Menu(z, "PopupMenuShowTime")->isVisible());
    Menu(z, "PopupMenu1")->hide();
    // The item leaves the view.
    items.first()->trigger();
    QVERIFY(!time->isVisible() && z.Main()->isVisible());
  }

  // The view exists only while a countdown runs: stopped by the warning's Stop or by a wake-up, the
  // full view comes back instead of a frozen time that no command can leave.
  void aStopInTheTimeOnlyViewBringsTheFullViewBack() {
    for (bool byWakeUp : {false, true}) {
      Zarvo z;
      z.ClickOption(TFormOptions::HibernateRow);
      z.form1->SetTime->setTime(QTime(0, 0, 20));
      QTest::mouseClick(z.form1->Start, Qt::LeftButton);
      QTest::mouseClick(z.form1->ShowTime, Qt::LeftButton);
      QVERIFY(z.windows.FormTime()->isVisible() && !z.form1->isVisible());
      for (int i = 0; i < 50 && z.Remaining() != QStringLiteral("00:00:10"); ++i)
        z.Tick();
      if (byWakeUp)
        z.platform.Broadcast(PowerEvent::ResumeSuspend);
      else
        z.platform.PressNotificationButton(QStringLiteral("stop"));
      QVERIFY(!z.form1->CountdownRunning());
      QVERIFY(z.form1->isVisible() && z.options->isVisible() && z.windows.FormCounter()->isVisible());
      QVERIFY(!z.windows.FormTime()->isVisible() && !z.form1->TimeOnlyView);
      QVERIFY(!z.form1->ShowonlyTimeRemaining1->isChecked() && !z.form1->PopupMenuShowTime1->isChecked());
    }
  }

  // In the tray, View's Hide/Show Options and Counter decide whether the window comes back with the
  // group; nothing appears on the desktop meanwhile, and the caption says what the item will do.
  void viewCommandsInTheTrayActOnTheReturn() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    z.form1->CoolTrayIcon1.MinimizeToTray = true;
    z.form1->MinimizeApplication();
    QVERIFY(!z.form1->isVisible() && !z.options->isVisible() && !counter->isVisible());
    z.form1->HideOptionsPanel1->trigger();
    z.form1->HideCounter1->trigger();
    z.form1->HideCounter1->trigger();
    QVERIFY(!z.options->isVisible() && !counter->isVisible());
    QCOMPARE(z.form1->HideOptionsPanel1->text(), QStringLiteral("Show Options Panel"));
    QCOMPARE(z.form1->HideCounter1->text(), QStringLiteral("Hide Counter Panel"));
    z.form1->CoolTrayIcon1Click();
    QVERIFY(z.form1->isVisible() && counter->isVisible());
    QVERIFY(!z.options->isVisible());
  }

  // The main menu opens centred on the point of the right click, on every window that shows it.
  // A right click on any window of the group opens the main menu with its corner at the pointer:
  // centred there, the pointer would stand inside the menu and the button's release could take
  // an item (the Menu button's menu is centred under the button instead).
  void theMainMenuOpensAtTheRightClick() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    auto check = [&](QWidget* w, QPoint at) {
      ContextMenuAt(w, at);
      QTRY_VERIFY(z.form1->PopupMenu1->isVisible());
      QCOMPARE(z.form1->PopupMenu1->pos().x(), w->mapToGlobal(at).x());
      z.form1->PopupMenu1->hide();
    };
    check(z.form1, QPoint(150, 100));
    check(z.options, QPoint(100, 150));
    z.form1->ShowTimeClick();
    z.windows.FormTime()->move(200, 200); // away from the screen's edge, which would push the menu

    check(z.windows.FormTime(), QPoint(5, 12));
  }

  void expiryInTheTimeOnlyViewBringsTheFullViewBackFirst() {
    Zarvo z;
    z.ClickOption(TFormOptions::StandByRow);
    Press(z.Main(), QStringLiteral("Counter"));
    z.PressStart();
    Press(z.Main(), QStringLiteral("ShowTime"));
    QVERIFY(TimeOnlyView(z));
    bool fullViewDuringPowerAction = false;
    z.platform.whileAsleep = [&] {
      fullViewDuringPowerAction = z.Main()->isVisible() && z.OptionsWindow()->isVisible() &&
                                  z.CounterWindow()->isVisible() && !z.TimeWindow()->isVisible();
    };
    z.TickToExpiry();
    QVERIFY(!z.Counting());
    QCOMPARE(z.platform.calls.last(), QStringLiteral("power suspend force"));
    QTRY_VERIFY(fullViewDuringPowerAction);
    QVERIFY(ViewItemsChecked(z, false));
  }
};

QTEST_MAIN(TestViewCommands)
#include "test_view_commands.moc"

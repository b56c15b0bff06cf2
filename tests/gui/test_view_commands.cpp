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

QList<QWidget*> Group(const Zarvo& z) {
  return {z.form1, z.options, z.windows.FormCounter(), z.windows.FormTime()};
}

int Alpha(const QWidget* w) { return qRound(w->windowOpacity() * 255); }

int CheckedLevel(const QList<QAction*>& items) {
  int checked = -1;
  for (int i = 0; i < items.size(); ++i)
    if (items[i]->isChecked()) {
      if (checked != -1)
        return -2; // more than one
      checked = i;
    }
  return checked;
}

// A right click as the desktop delivers it: a context-menu event at `at` on `widget`.
void ContextMenuAt(QWidget* widget, QPoint at) {
  QContextMenuEvent e(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &e);
}

} // namespace

class TestViewCommands : public QObject {
  Q_OBJECT
private slots:
  void transparencyLevelsOnTheWholeGroup() {
    Zarvo z;
    QCOMPARE(CheckedLevel(z.form1->LevelItemsAlfa), 0);
    QCOMPARE(CheckedLevel(z.form1->LevelItemsSubmenu), 0);
    const int alphas[] = {255, 230, 200, 150, 100};
    const char* captions[] = {"Disabled", "Low", "Mediu", "Intermediar", "Hight"};
    // Each level from either menu: all four windows of the group, both menus' marks in step.
    for (bool submenu : {false, true})
      for (int level : {1, 2, 3, 4, 0}) {
        QAction* item = (submenu ? z.form1->LevelItemsSubmenu : z.form1->LevelItemsAlfa)[level];
        QCOMPARE(item->text(), QString::fromLatin1(captions[level]));
        item->trigger();
        for (QWidget* w : Group(z))
          QCOMPARE(Alpha(w), alphas[level]);
        QCOMPARE(CheckedLevel(z.form1->LevelItemsAlfa), level);
        QCOMPARE(CheckedLevel(z.form1->LevelItemsSubmenu), level);
        // The Message and About windows stay out of it.
        QCOMPARE(Alpha(z.windows.FormMessage()), 255);
        QCOMPARE(Alpha(z.windows.FormAbout()), 255);
      }
    // "Hight", then "Disabled": opaque again.
    z.form1->LevelItemsAlfa[4]->trigger();
    QCOMPARE(Alpha(z.windows.FormTime()), 100);
    z.form1->LevelItemsSubmenu[0]->trigger();
    for (QWidget* w : Group(z))
      QCOMPARE(w->windowOpacity(), 1.0);
    QVERIFY(z.form1->LevelItemsAlfa[0]->isChecked() && z.form1->LevelItemsSubmenu[0]->isChecked());
  }

  void alwaysOnTopFromTheMenuKeepsAllThreeOutlines() {
    Zarvo z;
    const QRegion main = OutlineRegion(140, {Box(155, 2, 169, 17)});
    const QRegion options = OutlineRegion(280, {Box(140, 1, 155, 16), Box(157, 1, 172, 16)});
    const QRegion counter = OutlineRegion(140, {Box(140, 1, 155, 16), Box(157, 1, 172, 16)});
    for (bool on : {true, false}) {
      z.form1->Alwaysontop1->trigger();
      QCOMPARE(z.form1->AlwaysOnTop, on);
      QCOMPARE(z.form1->Alwaysontop1->isChecked(), on);
      for (QWidget* w : Group(z))
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
      QCOMPARE(z.form1->mask(), main);
      QCOMPARE(z.options->mask(), options);
      QCOMPARE(z.windows.FormCounter()->mask(), counter);
      QVERIFY(z.form1->isVisible() && z.options->isVisible() && z.windows.FormCounter()->isVisible());
      QVERIFY(!z.windows.FormTime()->isVisible());
    }
  }

  void viewCaptionsFollowTheShowAndHideCommands() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    // The settings load ran both commands: the captions are the replaced ones from the start.
    QCOMPARE(z.form1->HideOptionsPanel1->text(), QStringLiteral("Hide Options Panel"));
    QCOMPARE(z.form1->HideCounter1->text(), QStringLiteral("Hide Counter Panel"));

    QTest::mouseClick(z.form1->Options, Qt::LeftButton);
    QVERIFY(!z.options->isVisible());
    QCOMPARE(z.form1->HideOptionsPanel1->text(), QStringLiteral("Show Options Panel"));
    z.form1->HideOptionsPanel1->trigger();
    QVERIFY(z.options->isVisible());
    QCOMPARE(z.form1->HideOptionsPanel1->text(), QStringLiteral("Hide Options Panel"));

    z.form1->HideCounter1->trigger();
    QVERIFY(!counter->isVisible());
    QCOMPARE(z.form1->HideCounter1->text(), QStringLiteral("Show Counter Panel"));
    QTest::mouseClick(z.form1->Counter, Qt::LeftButton);
    QVERIFY(counter->isVisible());
    QCOMPARE(z.form1->HideCounter1->text(), QStringLiteral("Hide Counter Panel"));
    // The buttons show the windows' state once hovered and left over the background.
    QCOMPARE(z.form1->Counter->FrameIndex(), 0);
    QTest::mouseMove(z.form1->Counter, QPoint(5, 5));
    QCOMPARE(z.form1->Counter->FrameIndex(), 1);
    QTest::mouseMove(z.form1, QPoint(5, 60));
    QCOMPARE(z.form1->Counter->FrameIndex(), 2);
  }

  void closeButtonsHideWithoutTouchingTheCaptions() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    QTest::mouseClick(z.options->CloseButton, Qt::LeftButton);
    QVERIFY(!z.options->isVisible());
    QCOMPARE(z.form1->HideOptionsPanel1->text(), QStringLiteral("Hide Options Panel"));
    // The Options button takes the hover, with its hint.
    QCOMPARE(z.form1->Options->FrameIndex(), 1);
    QCOMPARE(z.form1->HoverImage(), z.form1->Options);
    QCOMPARE(z.form1->LabelToolTip->text(), QStringLiteral("Show/Hide options panel"));

    QTest::mouseClick(counter->CloseButton, Qt::LeftButton);
    QVERIFY(!counter->isVisible());
    QCOMPARE(z.form1->HideCounter1->text(), QStringLiteral("Hide Counter Panel"));
    QCOMPARE(z.form1->Counter->FrameIndex(), 0);
    QCOMPARE(z.form1->HoverImage(), z.form1->ImageEmpty);
    // The main window's own command then shows them again.
    z.form1->HideCounter1->trigger();
    QVERIFY(counter->isVisible());
  }

  void alignDocksVisibleAndHiddenSatellites() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    const QRect m = z.form1->geometry();
    z.options->MoveTo(m.x() - 350, m.y() + 77);
    z.form1->findChild<QAction*>(QStringLiteral("AlignOptionswindow1"))->trigger();
    QCOMPARE(z.options->pos(), QPoint(m.x() - 200, m.y()));
    QVERIFY(z.options->isVisible());

    // A hidden Counter moves and stays hidden; shown later, it is docked.
    z.form1->CounterClick();
    counter->MoveTo(m.x() + 300, m.y() - 20);
    z.form1->findChild<QAction*>(QStringLiteral("AlignCounterwindow1"))->trigger();
    QVERIFY(!counter->isVisible());
    QCOMPARE(counter->pos(), QPoint(m.x(), m.y() + 140));
    z.form1->CounterClick();
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
      z.form1->Showhelp1->setChecked(false);
      QTest::mouseMove(w->Locked_, QPoint(5, 5));
      QVERIFY(z.form1->LabelToolTip->isVisible());
      QCOMPARE(z.form1->LabelToolTip->text(), QStringLiteral("Lock window - move together"));
      z.form1->Showhelp1->setChecked(true);
    }
  }

  void clickStartFirst() {
    Zarvo z;
    z.form1->ShowTimeClick();
    QCOMPARE(z.dialogs.Texts(), QStringList{QStringLiteral("Click Start first")});
    QCOMPARE(z.dialogs.asked.last().buttons, Buttons::Ok);
    QVERIFY(!z.form1->TimeOnlyView);
    QVERIFY(z.form1->isVisible() && z.options->isVisible() && z.windows.FormCounter()->isVisible());
    QVERIFY(!z.windows.FormTime()->isVisible());
    QVERIFY(!z.form1->ShowonlyTimeRemaining1->isChecked() && !z.form1->PopupMenuShowTime1->isChecked());
    // The menu item answers the same and keeps its mark.
    z.form1->ShowonlyTimeRemaining1->trigger();
    QCOMPARE(z.dialogs.asked.size(), 2);
    QVERIFY(!z.form1->ShowonlyTimeRemaining1->isChecked());
  }

  void timeOnlyViewRoundTripShowsAHiddenCounter() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    TFormTime* time = z.windows.FormTime();
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.form1->CounterClick();
    QVERIFY(!counter->isVisible());

    QTest::mouseClick(z.form1->ShowTime, Qt::LeftButton);
    QVERIFY(z.form1->TimeOnlyView);
    QVERIFY(time->isVisible());
    QVERIFY(!z.form1->isVisible() && !z.options->isVisible() && !counter->isVisible());
    QVERIFY(z.form1->ShowonlyTimeRemaining1->isChecked() && z.form1->PopupMenuShowTime1->isChecked());
    z.Tick();
    QCOMPARE(time->Label_TimeRemaining->text(), QStringLiteral("00:00:59"));

    // Back by a double click on the time: all three come back, the Counter too.
    QTest::mouseDClick(time->Label_TimeRemaining, Qt::LeftButton);
    QVERIFY(!z.form1->TimeOnlyView);
    QVERIFY(!time->isVisible());
    QVERIFY(z.form1->isVisible() && z.options->isVisible() && counter->isVisible());
    QCOMPARE(z.form1->HideCounter1->text(), QStringLiteral("Show Counter Panel"));
    QVERIFY(!z.form1->ShowonlyTimeRemaining1->isChecked() && !z.form1->PopupMenuShowTime1->isChecked());
    QVERIFY(z.form1->CountdownRunning());
  }

  void timeWindowKeepsItsOwnPlace() {
    Zarvo z;
    TFormTime* time = z.windows.FormTime();
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.form1->MoveTo(40, 30);
    z.form1->PopupMenuShowTime1->trigger();
    QVERIFY(time->isVisible());
    QCOMPARE(time->pos(), QPoint(731, 254));
    QCOMPARE(time->size(), QSize(112, 25));

    // Dragged by its label: it moves by exactly the pointer's movement.
    QTest::mousePress(time->Label_TimeRemaining, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(10 - 131, 10 + 46),
                     QPointF(time->Label_TimeRemaining->mapToGlobal(QPoint(10 - 131, 10 + 46))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(time->Label_TimeRemaining, &move);
    QTest::mouseRelease(time->Label_TimeRemaining, Qt::LeftButton, {}, QPoint(10 - 131, 10 + 46));
    QCOMPARE(time->pos(), QPoint(600, 300));
    QCOMPARE(z.form1->pos(), QPoint(40, 30));

    // Leaving and entering the view again: where it was left, wherever the main window is.
    z.form1->ShowonlyTimeRemaining1->trigger();
    QVERIFY(!time->isVisible());
    z.form1->MoveTo(500, 500);
    z.form1->ShowTimeClick();
    QCOMPARE(time->pos(), QPoint(600, 300));
  }

  void timeWindowMenus() {
    Zarvo z;
    TFormTime* time = z.windows.FormTime();
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.form1->ShowTimeClick();
    // On the time: the one-item menu.
    ContextMenuAt(time->Label_TimeRemaining, QPoint(30, 10));
    QTRY_VERIFY(z.form1->PopupMenuShowTime->isVisible());
    QVERIFY(!z.form1->PopupMenu1->isVisible());
    const QList<QAction*> items = z.form1->PopupMenuShowTime->actions();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first()->text(), QStringLiteral("Show only Time Remaining"));
    QVERIFY(items.first()->isChecked());
    z.form1->PopupMenuShowTime->hide();
    // Beside the time: the main menu.
    ContextMenuAt(time, QPoint(5, 12));
    QTRY_VERIFY(z.form1->PopupMenu1->isVisible());
    QVERIFY(!z.form1->PopupMenuShowTime->isVisible());
    z.form1->PopupMenu1->hide();
    // The item leaves the view.
    items.first()->trigger();
    QVERIFY(!z.form1->TimeOnlyView && z.form1->isVisible());
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
  void theMainMenuIsCentredOnTheRightClick() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    const int half = z.form1->PopupMenu1->sizeHint().width() / 2;
    auto check = [&](QWidget* w, QPoint at) {
      ContextMenuAt(w, at);
      QTRY_VERIFY(z.form1->PopupMenu1->isVisible());
      QCOMPARE(z.form1->PopupMenu1->pos().x(), w->mapToGlobal(at).x() - half);
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
    z.form1->CounterClick();
    z.form1->StartClick();
    z.form1->ShowTimeClick();
    QVERIFY(z.form1->TimeOnlyView);
    bool fullViewDuringPowerAction = false;
    z.platform.whileAsleep = [&] {
      fullViewDuringPowerAction = !z.form1->TimeOnlyView && z.form1->isVisible() && z.options->isVisible() &&
                                  z.windows.FormCounter()->isVisible() && !z.windows.FormTime()->isVisible();
    };
    for (int i = 0; i < 200 && z.form1->CountdownRunning(); ++i)
      z.Tick();
    QVERIFY(!z.form1->CountdownRunning());
    QCOMPARE(z.platform.calls.last(), QStringLiteral("power suspend force"));
    QTRY_VERIFY(fullViewDuringPowerAction);
    QVERIFY(!z.form1->ShowonlyTimeRemaining1->isChecked() && !z.form1->PopupMenuShowTime1->isChecked());
  }
};

QTEST_MAIN(TestViewCommands)
#include "test_view_commands.moc"

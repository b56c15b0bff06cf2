// The shared hover state and hint line across the main, Options and Counter windows, the Timer3
// pointer-left check, and dragging the group by the main window's background.
#include "zarvo_fixture.h"

#include <QAction>
#include <QCursor>
#include <QTimer>

using namespace zarvo;
using namespace zarvo::test;

namespace {

// Presses the left button at `at` on `widget`, moves the pointer by each step in turn with the button
// held, and releases it.
void Drag(QWidget* widget, QPoint at, const QList<QPoint>& steps) {
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QPoint global = widget->mapToGlobal(at);
  for (const QPoint step : steps) {
    global += step;
    QMouseEvent move(QEvent::MouseMove, QPointF(widget->mapFromGlobal(global)), QPointF(global), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
  }
  QTest::mouseRelease(widget, Qt::LeftButton, {}, widget->mapFromGlobal(global));
}

// The windows that received a move event, in the order they first did.
class MoveOrder : public QObject {
public:
  explicit MoveOrder(const QList<QWidget*>& windows) {
    for (QWidget* w : windows)
      w->installEventFilter(this);
  }
  QStringList order;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Move && !order.contains(watched->objectName()))
      order << watched->objectName();
    return false;
  }
};

// The windows that were painted whole (not just a changed control) since the log began.
class WholePaints : public QObject {
public:
  explicit WholePaints(const QList<QWidget*>& watched) {
    for (QWidget* w : watched)
      w->installEventFilter(this);
  }
  QStringList windows;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint &&
        static_cast<QPaintEvent*>(event)->rect() == static_cast<QWidget*>(watched)->rect() &&
        !windows.contains(watched->objectName()))
      windows << watched->objectName();
    return false;
  }
};

const QPoint kMainBackground(5, 60); // left of the local time, clear of every control

} // namespace

class TestHoverAndDrag : public QObject {
  Q_OBJECT
private slots:
  void draggingTheMainWindowTakesTheLockedSatellitesAlong() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    const QPoint main = z.Main()->pos(), options = z.options->pos(), below = counter->pos();
    MoveOrder moves({z.Main(), z.options, counter});
    QVERIFY(QTest::qWaitForWindowExposed(z.Main()));
    QCoreApplication::processEvents(); // the first paints are done
    WholePaints painted({z.Main(), z.options, counter});
    Drag(z.Main(), kMainBackground, {{17, 9}, {-4, 30}});
    const QPoint offset(13, 39);
    QCOMPARE(z.Main()->pos(), main + offset);
    QCOMPARE(z.options->pos(), options + offset);
    QCOMPARE(counter->pos(), below + offset);
    QTRY_COMPARE(moves.order, (QStringList{QStringLiteral("FormOptions"), QStringLiteral("FormCounter"),
                                           QStringLiteral("Form1")}));
    // Each moved window is painted anew whole, the corners its outline cuts away included.
    QTRY_COMPARE(painted.windows.size(), 3);

    // Counter unlocked: only the Options window follows.
    QTest::mouseClick(counter->Locked_, Qt::LeftButton);
    Drag(z.Main(), kMainBackground, {{-20, -5}});
    QCOMPARE(z.Main()->pos(), main + offset + QPoint(-20, -5));
    QCOMPARE(z.options->pos(), options + offset + QPoint(-20, -5));
    QCOMPARE(counter->pos(), below + offset);

    // Neither locked: the main window moves alone.
    QTest::mouseClick(z.options->Locked_, Qt::LeftButton);
    Drag(z.Main(), kMainBackground, {{50, 0}});
    QCOMPARE(z.Main()->pos(), main + offset + QPoint(30, -5));
    QCOMPARE(z.options->pos(), options + offset + QPoint(-20, -5));
    QCOMPARE(counter->pos(), below + offset);
  }

  void hiddenLockedSatellitesFollowToo() {
    Zarvo z;
    QVERIFY(Trigger(z.Main(), QStringLiteral("HideOptionsPanel1"))); // leaves the pointer where it is
    QVERIFY(!z.options->isVisible());
    const QPoint options = z.options->pos();
    Drag(z.Main(), kMainBackground, {{25, 25}});
    QCOMPARE(z.options->pos(), options + QPoint(25, 25));
    QVERIFY(Trigger(z.Main(), QStringLiteral("HideOptionsPanel1"))); // leaves the pointer where it is
    QCOMPARE(z.options->pos(), z.Main()->pos() - QPoint(200, 0));
  }

  void aSatelliteDraggedMovesAloneAndKeepsItsNewOffset() {
    Zarvo z;
    TFormCounter* counter = z.windows.FormCounter();
    const QPoint main = z.Main()->pos(), below = counter->pos();
    Drag(z.options, QPoint(10, 270), {{-30, 12}});
    QCOMPARE(z.options->pos(), main - QPoint(200, 0) + QPoint(-30, 12));
    QCOMPARE(z.Main()->pos(), main);
    QCOMPARE(counter->pos(), below);
    // Still locked: it follows the main window from where it now stands.
    Drag(z.Main(), kMainBackground, {{8, 8}});
    QCOMPARE(z.options->pos(), main - QPoint(200, 0) + QPoint(-22, 20));
    // The Counter by its background alone as well.
    Drag(counter, QPoint(100, 135), {{0, 40}});
    QCOMPARE(counter->pos(), below + QPoint(8, 48));
    QCOMPARE(z.Main()->pos(), main + QPoint(8, 8));
  }

  void movingStraightFromButtonToButton() {
    Zarvo z;
    auto* hint = Control<QLabel>(z.Main(), QStringLiteral("LabelToolTip"));
    Hover(z.Main(), QStringLiteral("Menu"), QPoint(5, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 1);
    QCOMPARE(hint->text(), QStringLiteral("Show menu"));
    QVERIFY(hint->isVisible());
    Hover(z.Main(), QStringLiteral("Transparent"), QPoint(5, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 0);
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Transparent")), 1);
    QCOMPARE(hint->text(), QStringLiteral("Change Transparence/Opacity"));
    // From a toggle that is on (the Options window is shown) to the next button: it stays pressed.
    Hover(z.Main(), QStringLiteral("Options"), QPoint(5, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Options")), 1);
    Hover(z.Main(), QStringLiteral("Counter"), QPoint(5, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Options")), 2);
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Counter")), 1);
    QCOMPARE(hint->text(), QStringLiteral("Show counter"));
    // Moving over the hint line hides it.
    hint->show();
    QTest::mouseMove(hint, QPoint(50, 5));
    QVERIFY(!hint->isVisible());
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Counter")), 2);
  }

  void alwaysOnTopButtonFrames() {
    Zarvo z;
    ImageButton* top = Control<ImageButton>(z.Main(), QStringLiteral("TopAlways"));
    QTest::mouseMove(top, QPoint(5, 5));
    QTest::mousePress(top, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(top->FrameIndex(), 2);
    QTest::mouseRelease(top, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(MenuChecked(z.Main(), QStringLiteral("Alwaysontop1")));
    QCOMPARE(top->FrameIndex(), 0);
    QTest::mouseMove(top, QPoint(6, 5));
    QCOMPARE(top->FrameIndex(), 1);
    QTest::mouseMove(z.Main(), kMainBackground);
    QCOMPARE(top->FrameIndex(), 2);
  }

  void aLatchedButtonIsReleasedToItsNormalFrameFromOptionsAndByTimer3() {
    Zarvo z;
    QVERIFY(Trigger(z.Main(), QStringLiteral("Alwaysontop1")));
    ImageButton* top = Control<ImageButton>(z.Main(), QStringLiteral("TopAlways"));
    // Cleared from the Options window's background: frame 0, although always-on-top is on.
    QTest::mouseMove(top, QPoint(5, 5));
    QTest::mouseMove(z.options, QPoint(10, 270));
    QCOMPARE(top->FrameIndex(), 0);
    // Hovered and left over the Counter window's background: pressed again.
    QTest::mouseMove(top, QPoint(5, 5));
    QTest::mouseMove(z.windows.FormCounter(), QPoint(100, 135));
    QCOMPARE(top->FrameIndex(), 2);

    // Timer3 with the pointer outside all three windows: frame 0 too, and the hint line hides.
    QTest::mouseMove(top, QPoint(5, 5));
    QVERIFY(z.HintShown());
    const QRect all =
        z.Main()->geometry().united(z.options->geometry()).united(z.windows.FormCounter()->geometry());
    QCursor::setPos(all.right() + 40, all.top() + 10);
    QTRY_COMPARE(QCursor::pos(), QPoint(all.right() + 40, all.top() + 10));
    z.HoverCheck();
    QCOMPARE(top->FrameIndex(), 0);
    QVERIFY(!z.HintShown());
  }

  void timer3CountsAHiddenWindowsPlaceAsInside() {
    Zarvo z;
    Hover(z.Main(), QStringLiteral("Menu"), QPoint(5, 5));
    QVERIFY(Trigger(z.Main(), QStringLiteral("HideOptionsPanel1"))); // leaves the pointer where it is
    QVERIFY(!z.options->isVisible());
    Hover(z.Main(), QStringLiteral("Menu"), QPoint(6, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 1);
    // Both edges of the rectangle count.
    const QRect options = z.options->geometry();
    for (const QPoint p :
         {options.center(), options.topLeft(), QPoint(options.left() + options.width(), options.top())}) {
      QCursor::setPos(p);
      QTRY_COMPARE(QCursor::pos(), p);
      z.HoverCheck();
      QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 1);
      QVERIFY(z.HintShown());
    }
    const QPoint outside(options.left() - 1, options.center().y());
    QCursor::setPos(outside);
    QTRY_COMPARE(QCursor::pos(), outside);
    z.HoverCheck();
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 0);
    QVERIFY(!z.HintShown());
  }

  // Timer3 stops while there is nothing to take back, and while the pointer is over one of the
  // windows (it has to leave first); a lit button and the pointer leaving start it again. Where no
  // leaving will be told (a hidden window's place, above) it keeps looking.
  void timer3RestsWhileItHasNothingToWatchFor() {
    Zarvo z;
    QTimer& timer3 = z.form1->Timer3;
    timer3.start();
    z.HoverCheck(); // nothing lit
    QVERIFY(!timer3.isActive());
    Hover(z.Main(), QStringLiteral("Menu"), QPoint(5, 5));
    QVERIFY(timer3.isActive());

    const QPoint over = z.Main()->geometry().center();
    QCursor::setPos(over);
    QTRY_VERIFY(z.Main()->underMouse());
    z.HoverCheck();
    QVERIFY(!timer3.isActive());
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 1);

    const QRect all =
        z.Main()->geometry().united(z.options->geometry()).united(z.windows.FormCounter()->geometry());
    QCursor::setPos(all.right() + 40, all.top() + 10);
    QTRY_VERIFY(timer3.isActive());
    z.HoverCheck();
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 0);
    z.HoverCheck();
    QVERIFY(!timer3.isActive());
  }

  void withoutShowHelpFramesChangeButHintsStayHidden() {
    Zarvo z;
    QVERIFY(Trigger(z.Main(), QStringLiteral("Showhelp1")));
    QVERIFY(!MenuChecked(z.Main(), QStringLiteral("Showhelp1")));
    auto* hint = Control<QLabel>(z.Main(), QStringLiteral("LabelToolTip"));
    Hover(z.Main(), QStringLiteral("Menu"), QPoint(5, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("Menu")), 1);
    QVERIFY(!hint->isVisible());
    Hover(z.Main(), QStringLiteral("Label_TimeRemaining"), QPoint(5, 5));
    QVERIFY(!hint->isVisible());
    QTest::mouseMove(z.options->Button(TFormOptions::ShutDownRow), QPoint(5, 5));
    QCOMPARE(z.options->Button(TFormOptions::ShutDownRow)->FrameIndex(), 1);
    QVERIFY(!hint->isVisible());
    // The satellites' title-bar images still write theirs.
    QTest::mouseMove(z.windows.FormCounter()->Align, QPoint(5, 5));
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("Align to main window"));
    QTest::mouseMove(z.options->CloseButton, QPoint(5, 10));
    QCOMPARE(hint->text(), QStringLiteral("Close Options window"));
  }
};

QTEST_MAIN(TestHoverAndDrag)
#include "test_hover_and_drag.moc"

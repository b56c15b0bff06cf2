// The tray icon component on its own (its tooltip, writers, events and cycling), and the main
// window's Hide on a desktop without any tray.
#include "components/tray_icon.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QCursor>

using namespace zarvo;
using namespace zarvo::test;

namespace {

QIcon Solid(const QColor& colour) {
  QPixmap p(16, 16);
  p.fill(colour);
  return QIcon(p);
}

// A tray icon with every event recorded in order.
struct Recorder {
  TCoolTrayIcon tray;
  QMenu menu;
  QStringList events;
  Recorder() {
    tray.SetIcon(Solid(Qt::green));
    tray.PopupMenu = &menu;
    menu.addAction(QStringLiteral("first"));
    QAction* def = menu.addAction(QStringLiteral("default"));
    menu.setDefaultAction(def);
    QObject::connect(def, &QAction::triggered, &menu, [this] { events << QStringLiteral("default item"); });
    auto button = [](Qt::MouseButton b) {
      return b == Qt::LeftButton    ? QStringLiteral("left")
             : b == Qt::RightButton ? QStringLiteral("right")
                                    : QStringLiteral("middle");
    };
    tray.OnMouseDown = [this, button](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
      events << QStringLiteral("down ") + button(b);
    };
    tray.OnMouseUp = [this, button](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
      events << QStringLiteral("up ") + button(b);
    };
    tray.OnClick = [this](QObject* sender) {
      QCOMPARE(sender, &tray);
      events << QStringLiteral("click");
    };
    tray.OnDblClick = [this](QObject*) { events << QStringLiteral("double click"); };
  }
};

} // namespace

class TestTrayIcon : public QObject {
  Q_OBJECT
private slots:
  void tooltipIsTheHintCutTo63Characters() {
    QCOMPARE(TrayTip(QStringLiteral("Zarvo"), true), QStringLiteral("Zarvo"));
    QCOMPARE(TrayTip(QString(63, QLatin1Char('x')), true), QString(63, QLatin1Char('x')));
    QCOMPARE(TrayTip(QString(64, QLatin1Char('x')) + QStringLiteral("tail"), true),
             QString(63, QLatin1Char('x')));
    QCOMPARE(TrayTip(QStringLiteral("Zarvo"), false), QString());

    TCoolTrayIcon tray;
    QVERIFY(tray.IconVisible()); // the component's default
    QVERIFY(!tray.ShowHint());
    tray.SetHint(QStringLiteral("Zarvo 00:10:00"));
    QCOMPARE(tray.SystemTrayIcon().toolTip(), QString()); // ShowHint off: no tooltip
    tray.SetShowHint(true);
    QCOMPARE(tray.SystemTrayIcon().toolTip(), QStringLiteral("Zarvo 00:10:00"));
    tray.SetHint(QString(70, QLatin1Char('y'))); // a later hint reaches the tray at once
    QCOMPARE(tray.SystemTrayIcon().toolTip(), QString(63, QLatin1Char('y')));
  }

  void visibilityAndIconReachTheTray() {
    TCoolTrayIcon tray;
    const QIcon green = Solid(Qt::green);
    tray.SetIcon(green);
    QCOMPARE(tray.SystemTrayIcon().icon().cacheKey(), green.cacheKey());
    tray.SetIconVisible(true);
    QVERIFY(tray.SystemTrayIcon().isVisible());
    tray.SetIconVisible(true); // again: harmless
    QVERIFY(tray.SystemTrayIcon().isVisible());
    tray.SetIconVisible(false);
    QVERIFY(!tray.IconVisible());
    QVERIFY(!tray.SystemTrayIcon().isVisible());
    // No picture, no icon in the tray.
    TCoolTrayIcon empty;
    QVERIFY(!empty.ShowIcon());
    QVERIFY(!empty.SystemTrayIcon().isVisible());
  }

  void clicksRaiseTheirEvents() {
    Recorder r;
    r.tray.Activated(QSystemTrayIcon::Trigger);
    QCOMPARE(r.events, (QStringList{"down left", "click", "up left"}));
    QVERIFY(!r.menu.isVisible());

    r.events.clear();
    r.tray.Activated(QSystemTrayIcon::DoubleClick);
    QCOMPARE(r.events, (QStringList{"double click", "default item"}));

    r.events.clear();
    r.tray.Activated(QSystemTrayIcon::MiddleClick);
    QCOMPARE(r.events, (QStringList{"down middle", "up middle"}));

    r.events.clear();
    QCursor::setPos(500, 300);
    r.tray.Activated(QSystemTrayIcon::Context);
    QCOMPARE(r.events, (QStringList{"down right", "up right"}));
    QTRY_VERIFY(r.menu.isVisible());
    QCOMPARE(r.menu.pos().x(), 500); // its corner at the pointer, which stays outside the items
    r.menu.hide();
  }

  void leftPopupOpensTheMenuOnTheLeftButtonAndKeepsTheDefaultItem() {
    Recorder r;
    r.tray.LeftPopup = true;
    r.tray.Activated(QSystemTrayIcon::Trigger);
    QCOMPARE(r.events, (QStringList{"down left", "click", "up left"}));
    QTRY_VERIFY(r.menu.isVisible());
    r.menu.hide();
    r.events.clear();
    r.tray.Activated(QSystemTrayIcon::DoubleClick);
    QCOMPARE(r.events, QStringList{"double click"});
  }

  void disabledOrRemovedIconIgnoresClicks() {
    Recorder r;
    r.tray.Enabled = false;
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Context,
                        QSystemTrayIcon::MiddleClick})
      r.tray.Activated(reason);
    QVERIFY(r.events.isEmpty());
    QVERIFY(!r.menu.isVisible());
    // A report that comes after the icon left the tray (a double click's second half) is dropped.
    r.tray.Enabled = true;
    r.tray.SetIconVisible(false);
    r.tray.Activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(r.events.isEmpty());
  }

  void iconIndexAndCycling() {
    TCoolTrayIcon tray;
    tray.SetIconIndex(3);
    QCOMPARE(tray.IconIndex(), 0); // no list: always 0
    const QList<QIcon> icons = {Solid(Qt::red), Solid(Qt::green), Solid(Qt::blue)};
    tray.SetIconList(icons);
    QCOMPARE(tray.Icon().cacheKey(), icons[0].cacheKey());
    tray.SetIconIndex(7); // beyond the list: the last image
    QCOMPARE(tray.IconIndex(), 2);
    QCOMPARE(tray.SystemTrayIcon().icon().cacheKey(), icons[2].cacheKey());

    QList<int> next;
    tray.OnCycle = [&next](QObject*, int index) { next << index; };
    tray.SetCycleIcons(true); // interval 0: the timer stands still instead of firing at every turn
    QCOMPARE(tray.IconIndex(), 0);
    for (int i = 0; i < 10; ++i)
      QCoreApplication::processEvents();
    QVERIFY(next.isEmpty());
    tray.SetCycleInterval(20);
    QTRY_VERIFY_WITH_TIMEOUT(next.size() >= 4, 20000);
    QCOMPARE(next.mid(0, 4), (QList<int>{1, 2, 0, 1}));
    tray.SetCycleIcons(false);
    const qsizetype steps = next.size();
    QVERIFY(ExpectNothingFor(100, [&] { return next.size() != steps; }));
  }

  void minimisingGoesToTheTrayOnlyWithMinimizeToTray() {
    TCoolTrayIcon tray;
    tray.SetIcon(Solid(Qt::green));
    tray.SetIconVisible(false);
    int hidden = 0;
    tray.HideApplication = [&hidden] { ++hidden; };
    QVERIFY(!tray.ApplicationMinimizing());
    QCOMPARE(hidden, 0);
    QVERIFY(!tray.IconVisible());
    tray.MinimizeToTray = true;
    QVERIFY(tray.ApplicationMinimizing());
    QCOMPARE(hidden, 1);
    QVERIFY(tray.IconVisible());
  }

  void mainWindowsTrayIconAtStart() {
    Zarvo z;
    const TCoolTrayIcon& tray = z.form1->CoolTrayIcon1;
    QCOMPARE(tray.Hint(), QStringLiteral("Zarvo"));
    QVERIFY(tray.ShowHint());
    QCOMPARE(tray.SystemTrayIcon().toolTip(), QStringLiteral("Zarvo"));
    QVERIFY(!tray.IconVisible());
    QVERIFY(!tray.SystemTrayIcon().isVisible());
    QCOMPARE(tray.PopupMenu, z.form1->PopupMenu1);
    QVERIFY(!tray.MinimizeToTray);
    QCOMPARE(tray.Icon().availableSizes().value(0), QSize(16, 16));
  }

  // The offscreen desktop has no tray: Hide minimises, says so once, and nothing is left unreachable.
  void hideWithoutATrayMinimisesAndSaysSoOnce() {
    QVERIFY(!TCoolTrayIcon::TrayAvailable());
    Zarvo z;
    QVERIFY(Trigger(z.Main(), QStringLiteral("Showhelp1"))); // even with help off
    QVERIFY(!MenuChecked(z.Main(), QStringLiteral("Showhelp1")));
    Press(z.Main(), QStringLiteral("Hide"));
    QVERIFY(z.Main()->isMinimized());
    QVERIFY(!z.OptionsWindow()->isVisible());
    QVERIFY(z.HintShown());
    QCOMPARE(z.Hint(), QStringLiteral("No system tray: minimized"));
    z.HoverCheck(); // the pointer is elsewhere: the notice stays
    QVERIFY(z.HintShown());

    // A desktop that minimises dialogs with their leader may tell the hidden satellites so late.
    z.OptionsWindow()->setWindowState(Qt::WindowMinimized);
    z.CounterWindow()->setWindowState(Qt::WindowMinimized);

    // Back from the task bar: the whole group returns, none of it minimised.
    z.Main()->showNormal();
    QTRY_VERIFY(!z.Main()->isMinimized());
    QTRY_VERIFY(z.OptionsWindow()->isVisible());
    QVERIFY(z.CounterWindow()->isVisible());
    QVERIFY(!z.OptionsWindow()->isMinimized() && !z.CounterWindow()->isMinimized());
    QVERIFY(z.HintShown());                          // still there when the user comes back
    Zarvo::HoverBackground(z.Main(), QPoint(5, 60)); // the pointer meets the background
    z.HoverCheck();

    Press(z.Main(), QStringLiteral("Hide"));
    QVERIFY(z.Main()->isMinimized());
    QVERIFY(!z.HintShown()); // said once only
    QVERIFY(z.dialogs.asked.isEmpty());
  }
};

QTEST_MAIN(TestTrayIcon)
#include "test_tray_icon.moc"

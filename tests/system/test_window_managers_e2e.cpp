// The real program under real window managers (KWin, xfwm4, Mutter, Openbox), each started by the
// test on its private X server: the three windows appear at start, stay on the screen while another
// program is in front, and only the main window has a taskbar entry.
#include "tests/support/window_manager.h"
#include "tests/support/zarvo_process.h"

#include <QProcess>
#include <QTest>

using namespace zarvo::test;

namespace {

// The id of the viewable window titled `title` of size `size`, as xwininfo gives it.
QString WindowId(const QString& title, QSize size) {
  const std::optional<XWindow> w =
      FindXWindow([&](const XWindow& x) { return x.name == title && x.geometry.size() == size; });
  return w ? w->id : QString();
}

void WindowManagerRows(std::initializer_list<const char*> programs) {
  QTest::addColumn<QString>("program");
  for (const char* wm : programs)
    QTest::newRow(wm) << QString::fromLatin1(wm);
}

// Starts the window manager `wm` runs, or skips the test where it is not installed.
#define START_OR_SKIP(wm, program)                                                                           \
  do {                                                                                                       \
    if (!(wm).Installed())                                                                                   \
      QSKIP(qPrintable((program) + QStringLiteral(" is not installed (scripts/setup installs it)")));        \
    QString error;                                                                                           \
    QVERIFY2((wm).Start(&error), qPrintable(error));                                                         \
  } while (false)

const QString kSkipTaskbar = QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR");
const QString kSkipPager = QStringLiteral("_NET_WM_STATE_SKIP_PAGER");

} // namespace

class TestWindowManagers : public QObject {
  Q_OBJECT
private slots:
  void satellitesStayShownWithoutTaskbarEntries_data() {
    WindowManagerRows({"kwin_x11", "xfwm4", "mutter", "openbox"});
  }

  void satellitesStayShownWithoutTaskbarEntries() {
    QFETCH(QString, program);
    WindowManager wm(program);
    START_OR_SKIP(wm, program);

    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 60000));
    const QString main = WindowId(QStringLiteral("Zarvo"), QSize(200, 140));
    const QString options = WindowId(QStringLiteral("Options"), QSize(200, 280));
    const QString counter = WindowId(QStringLiteral("Counter"), QSize(200, 140));
    QVERIFY(!main.isEmpty() && !options.isEmpty() && !counter.isEmpty());

    // The window manager has taken the satellites off the taskbar and the pager, not the main window.
    for (const QString& id : {options, counter}) {
      QTRY_VERIFY_WITH_TIMEOUT(NetWmState(id).contains(kSkipTaskbar), 30000);
      QVERIFY(NetWmState(id).contains(kSkipPager));
    }
    QVERIFY(!NetWmState(main).contains(kSkipTaskbar));

    // Another program comes to the front: clicked, as a user brings a program to the front.
    QProcess other;
    other.start(QStringLiteral("xmessage"), {QStringLiteral("-geometry"), QStringLiteral("300x200+700+600"),
                                             QStringLiteral("Another program")});
    QVERIFY(other.waitForStarted(10000));
    std::optional<QRect> otherPlace;
    // The first window with a title bar: KWin loads its decoration for it, which on a busy machine
    // has taken over 30 s.
    QTRY_VERIFY_WITH_TIMEOUT((otherPlace = FindWindow(QStringLiteral("xmessage"), QSize(300, 200))), 90000);
    const quint32 otherId = WindowId(QStringLiteral("xmessage"), QSize(300, 200)).toUInt(nullptr, 16);
    QTRY_VERIFY_WITH_TIMEOUT(ClickAt(otherPlace->center()) && ActiveWindow() == otherId, 30000);
    const auto allShown = [&] { return IsViewable(main) && IsViewable(options) && IsViewable(counter); };
    QVERIFY2(HoldsFor(2000, allShown),
             "a window of the group left the screen when another program came to the front");

    // The first press of the Options button (70, 30 on the main window) hides the Options window,
    // the next shows it again, while the other program stays in front.
    QVERIFY(ClickAt(zarvo.WaitForWindows(ZarvoProcess::Group)->main->topLeft() + QPoint(85, 40)));
    QTRY_VERIFY_WITH_TIMEOUT(!IsViewable(options), 30000);
    QVERIFY(ActivateWindow(otherId));
    QTRY_COMPARE_WITH_TIMEOUT(ActiveWindow(), otherId, 30000);
    QVERIFY(ClickAt(zarvo.WaitForWindows(ZarvoProcess::MainOnly)->main->topLeft() + QPoint(85, 40)));
    QTRY_VERIFY_WITH_TIMEOUT(IsViewable(options), 30000);
    QVERIFY(HoldsFor(1000, allShown));

    other.kill();
    other.waitForFinished(10000);
    QVERIFY(zarvo.Terminate());
  }

  // Minimised, brought back from the task list, then the time-only view and a double click on the
  // time: the whole group comes back, shown and not minimised, while the countdown runs.
  void timeOnlyViewAfterAMinimiseComesBackWhole_data() { WindowManagerRows({"kwin_x11", "xfwm4"}); }
  void timeOnlyViewAfterAMinimiseComesBackWhole() {
    QFETCH(QString, program);
    WindowManager wm(program);
    START_OR_SKIP(wm, program);
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start({QStringLiteral("--after"), QStringLiteral("10m"), QStringLiteral("--message=Tea")}));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 60000));
    const QString main = WindowId(QStringLiteral("Zarvo"), QSize(200, 140));
    QVERIFY(!main.isEmpty());
    const QRect place = *FindWindow(QStringLiteral("Zarvo"), QSize(200, 140));

    QVERIFY(ClickAt(place.topLeft() + QPoint(145, 10))); // Minimize
    QTRY_VERIFY_WITH_TIMEOUT(NetWmState(main).contains(QStringLiteral("_NET_WM_STATE_HIDDEN")), 30000);
    QVERIFY(ActivateWindow(main.toUInt(nullptr, 16))); // back from the task list
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));

    const QRect back = *FindWindow(QStringLiteral("Zarvo"), QSize(200, 140));
    QVERIFY(ClickAt(back.topLeft() + QPoint(171, 40))); // the time-only button
    std::optional<QRect> time;
    QTRY_VERIFY_WITH_TIMEOUT((time = FindWindow(QStringLiteral("Zarvo"), QSize(112, 25))), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!FindWindow(QStringLiteral("Options"), QSize(200, 280)), 30000);
    QVERIFY(Xdotool({QStringLiteral("mousemove"), QString::number(time->center().x()),
                     QString::number(time->center().y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                     QStringLiteral("2"), QStringLiteral("1")}));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
    const QString again = WindowId(QStringLiteral("Zarvo"), QSize(200, 140));
    QVERIFY(!again.isEmpty());
    QVERIFY(!NetWmState(again).contains(QStringLiteral("_NET_WM_STATE_HIDDEN")));
    // Mapped as a normal window, not minimised and restored by the activation: such a flash hid the
    // satellites and showed them again at once, and the window manager could lose them on the way.
    QVERIFY(!StartsMinimised(again));
    QVERIFY(zarvo.Terminate());
  }

  // A desktop without a notification area (GNOME without its tray extension): Hide minimises the
  // group instead, and activating the program from the desktop brings the whole group back.
  void hideWithoutATrayMinimisesUnderMutter() {
    WindowManager wm(QStringLiteral("mutter"));
    START_OR_SKIP(wm, QStringLiteral("mutter"));
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());
    const std::optional<ZarvoWindows> w = zarvo.WaitForWindows(ZarvoProcess::Group, 60000);
    QVERIFY(w);
    const QString main = WindowId(QStringLiteral("Zarvo"), QSize(200, 140));

    QVERIFY(ClickAt(w->main->topLeft() + QPoint(161, 10))); // Hide
    // Minimised, not gone (a compositing window manager keeps a minimised window mapped).
    const QString hidden = QStringLiteral("_NET_WM_STATE_HIDDEN");
    QTRY_VERIFY_WITH_TIMEOUT(NetWmState(main).contains(hidden) && !FindZarvoWindows().options &&
                                 !FindZarvoWindows().counter,
                             30000);
    QVERIFY(zarvo.IsRunning());

    QVERIFY(ActivateWindow(main.toUInt(nullptr, 16)));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
    QTRY_VERIFY_WITH_TIMEOUT(!NetWmState(main).contains(hidden), 30000);
    QVERIFY(zarvo.Terminate());
  }
};

QTEST_MAIN(TestWindowManagers)
#include "test_window_managers_e2e.moc"

// One Zarvo per session, reached by later starts and by scripts: real binaries on the test's own
// session bus and X server. A second start brings the first one's windows back or hands it its
// countdown; --status, --cancel and --postpone read and change that countdown; the D-Bus interface
// does the same for programs, with the command line's words for a mistake.
#include "tests/support/accessibility.h"
#include "tests/support/test_support.h"
#include "tests/support/tray_host.h"
#include "tests/support/window_manager.h"
#include "tests/support/zarvo_process.h"

#include <QDBusConnection>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo::test;

namespace {

const QString kNoBus = QStringLiteral("unix:path=/nonexistent/zarvo-no-session-bus");

struct Outcome {
  int status = -1;
  QString out, err;
};

// A further start of the program with `arguments`, run to its end; `unset` is taken out of its
// environment.
Outcome Run(const QStringList& arguments, const QString& sessionBus = {}, const QString& unset = {}) {
  ZarvoProcess zarvo;
  if (!sessionBus.isEmpty())
    zarvo.Environment().insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBus);
  if (!unset.isEmpty())
    zarvo.Environment().remove(unset);
  zarvo.Process().setProcessChannelMode(QProcess::SeparateChannels);
  Outcome o;
  if (!zarvo.IsValid() || !zarvo.Start(arguments) || !zarvo.Process().waitForFinished(60000))
    return o;
  o.status = zarvo.Process().exitStatus() == QProcess::NormalExit ? zarvo.Process().exitCode() : -2;
  o.out = QString::fromLocal8Bit(zarvo.Process().readAllStandardOutput());
  o.err = QString::fromLocal8Bit(zarvo.Process().readAllStandardError());
  return o;
}

QString Describe(const Outcome& o) {
  return QStringLiteral("status %1, out \"%2\", err \"%3\"").arg(o.status).arg(o.out, o.err);
}

// What --status prints, as a regular expression over the whole line.
bool StatusIs(const QString& pattern) {
  const Outcome o = Run({QStringLiteral("--status")});
  const bool ok =
      o.status == 0 &&
      QRegularExpression(QStringLiteral("^") + pattern + QStringLiteral("\n$")).match(o.out).hasMatch();
  if (!ok)
    qWarning("--status: %s", qPrintable(Describe(o)));
  return ok;
}

// A gdbus call to the running Zarvo; its output, or the error it printed, in `o`.
Outcome Gdbus(const QString& method, const QStringList& arguments = {}) {
  QProcess gdbus;
  gdbus.start(QStringLiteral("gdbus"),
              QStringList{QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                          QStringLiteral("org.zarvo.Zarvo"), QStringLiteral("--object-path"),
                          QStringLiteral("/org/zarvo/Zarvo"), QStringLiteral("--method"),
                          QStringLiteral("org.zarvo.Zarvo1.") + method} +
                  arguments);
  Outcome o;
  if (!gdbus.waitForFinished(30000))
    return o;
  o.status = gdbus.exitCode();
  o.out = QString::fromLocal8Bit(gdbus.readAllStandardOutput()).trimmed();
  o.err = QString::fromLocal8Bit(gdbus.readAllStandardError()).trimmed();
  return o;
}

// The labels of the tray menu's first level ("" for a separator), as a tray reads them.
QStringList TrayMenuTop(const TrayHost& host, const QString& item) {
  QString error;
  QStringList top;
  for (const TrayMenuEntry& e : host.Menu(item, &error).children)
    top << e.label;
  return top;
}

// What a screen reader reads of the main window.
QStringList MainWindowNames() {
  return AccessibleNames(QStringLiteral("Zarvo"), false, QStringLiteral("Zarvo"));
}
bool Shows(const QString& name) { return MainWindowNames().contains(name); }
bool ShowsRemaining(const QString& pattern) {
  const QRegularExpression re(QStringLiteral("^") + pattern + QStringLiteral("$"));
  for (const QString& name : MainWindowNames())
    if (re.match(name).hasMatch())
      return true;
  return false;
}

bool MainWindowOnScreen() { return FindWindow(QStringLiteral("Zarvo"), QSize(200, 140)).has_value(); }

} // namespace

class TestSingleInstance : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under tests/support/with-dbus");
  }

  void laterStartsAndScriptsReachTheFirst() {
    TrayHost host;
    QVERIFY(host.Start());
    ZarvoProcess first;
    QVERIFY(first.IsValid());
    first.Environment().insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    QVERIFY(first.Start());
    const std::optional<ZarvoWindows> w = first.WaitForWindows(ZarvoProcess::Group, 30000);
    QVERIFY(w);

    // Nothing counts: --status answers, --cancel and --postpone say there is nothing to change.
    QVERIFY(StatusIs(QStringLiteral("No countdown runs")));
    for (const QStringList& args : {QStringList{QStringLiteral("--cancel")},
                                    QStringList{QStringLiteral("--postpone"), QStringLiteral("10m")}}) {
      const Outcome o = Run(args);
      QVERIFY2(o.status == 1 && o.err == QStringLiteral("zarvo: no countdown runs\n") && o.out.isEmpty(),
               qPrintable(Describe(o)));
    }
    // Without a session bus there is no Zarvo to reach.
    const Outcome alone = Run({QStringLiteral("--status")}, kNoBus);
    QVERIFY2(alone.status == 3 && alone.err.startsWith(QStringLiteral("zarvo: no Zarvo runs")),
             qPrintable(Describe(alone)));

    // To the tray: its menu has no Postpone while nothing counts.
    QVERIFY(ClickAt(w->main->topLeft() + QPoint(161, 10))); // Hide
    QTRY_COMPARE_WITH_TIMEOUT(host.Items().size(), 1, 30000);
    const QString item = host.Items().first();
    QTRY_VERIFY_WITH_TIMEOUT(!MainWindowOnScreen(), 30000);
    QCOMPARE(TrayMenuTop(host, item).value(0), QStringLiteral("About"));

    // A second timed start hands its countdown over and ends, even from where there is no display
    // (a script over SSH); the first counts it down.
    Outcome o = Run({QStringLiteral("--after"), QStringLiteral("10m"), QStringLiteral("--message"),
                     QStringLiteral("Tea")},
                    {}, QStringLiteral("DISPLAY"));
    QVERIFY2(o.status == 0 && o.err.isEmpty(), qPrintable(Describe(o)));
    QVERIFY(StatusIs(QStringLiteral("Show a message at \\d\\d:\\d\\d:\\d\\d \\(00:09:5\\d left\\)")));
    QVERIFY(!MainWindowOnScreen()); // left where it was

    // The tray's menu now offers more time first, the other items as before; it gives ten minutes.
    QTRY_COMPARE_WITH_TIMEOUT(
        TrayMenuTop(host, item).mid(0, 3),
        (QStringList{QStringLiteral("Postpone 10 minutes"), QString(), QStringLiteral("About")}), 30000);
    QString error;
    const TrayMenuEntry* postpone = nullptr;
    const TrayMenuEntry menu = host.Menu(item, &error);
    postpone = menu.Find({QStringLiteral("Postpone 10 minutes")});
    QVERIFY2(postpone, qPrintable(error));
    const QDBusMessage r = host.ClickMenuEntry(item, postpone->id);
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    QTRY_VERIFY_WITH_TIMEOUT(StatusIs(QStringLiteral("Show a message at .* \\(00:19:5\\d left\\)")), 30000);

    // A third is refused: it says what runs and how long is left, and changes nothing.
    o = Run({QStringLiteral("--after"), QStringLiteral("5m"), QStringLiteral("--shutdown")});
    QVERIFY2(
        o.status == 1 &&
            QRegularExpression(
                QStringLiteral("^zarvo: nothing was changed: a countdown already runs: Show a message at "
                               "\\d\\d:\\d\\d:\\d\\d \\(00:19:5\\d left\\); add --replace to replace it\n$"))
                .match(o.err)
                .hasMatch(),
        qPrintable(Describe(o)));
    QVERIFY(StatusIs(QStringLiteral("Show a message at .* \\(00:19:5\\d left\\)")));

    // A plain start brings the windows back from the tray, counting, and ends.
    o = Run({});
    QVERIFY2(o.status == 0, qPrintable(Describe(o)));
    QTRY_VERIFY_WITH_TIMEOUT(MainWindowOnScreen(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(host.Items(), QStringList{}, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(
        Shows(QStringLiteral("Stop counting")) && ShowsRemaining(QStringLiteral("00:19:5\\d")), 30000);

    // --replace takes over, as if typed there; --postpone adds to it and says what it now is.
    o = Run({QStringLiteral("--after=1h"), QStringLiteral("--run"), QStringLiteral("true"),
             QStringLiteral("--replace")});
    QVERIFY2(o.status == 0, qPrintable(Describe(o)));
    QTRY_VERIFY_WITH_TIMEOUT(ShowsRemaining(QStringLiteral("00:59:5\\d")), 30000);
    o = Run({QStringLiteral("--postpone"), QStringLiteral("10m")});
    QVERIFY2(o.status == 0 &&
                 QRegularExpression(QStringLiteral("^Run a command at .* \\(01:09:5\\d left\\)\n$"))
                     .match(o.out)
                     .hasMatch(),
             qPrintable(Describe(o)));
    // More than a day is refused rather than wrapped round to a short countdown.
    o = Run({QStringLiteral("--postpone"), QStringLiteral("23h")});
    QVERIFY2(o.status == 1 && o.err.contains(QStringLiteral("a day or more")), qPrintable(Describe(o)));
    QVERIFY(StatusIs(QStringLiteral("Run a command at .* \\(01:09:5\\d left\\)")));

    // --cancel stops it: on screen, for --status, and the menu item goes.
    o = Run({QStringLiteral("--cancel")});
    QVERIFY2(o.status == 0 && o.err.isEmpty(), qPrintable(Describe(o)));
    QVERIFY(StatusIs(QStringLiteral("No countdown runs")));
    QTRY_VERIFY_WITH_TIMEOUT(Shows(QStringLiteral("Start counting")), 30000);
    const std::optional<ZarvoWindows> back = FindZarvoWindows();
    QVERIFY(back && back->main);
    QVERIFY(ClickAt(back->main->topLeft() + QPoint(161, 10))); // Hide
    QTRY_COMPARE_WITH_TIMEOUT(host.Items().size(), 1, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(TrayMenuTop(host, host.Items().first()).value(0), QStringLiteral("About"),
                              30000);
    QVERIFY(first.IsRunning());
    QVERIFY(first.Terminate());

    // With the first gone, the next start is the session's Zarvo itself.
    ZarvoProcess next;
    QVERIFY(next.Start());
    QVERIFY(next.WaitForWindows(ZarvoProcess::MainOnly, 30000));
    QVERIFY(StatusIs(QStringLiteral("No countdown runs")));
  }

  // Under a window manager that guards the focus (Mutter), a second plain start brings back a
  // group that Hide minimised (no tray here), in front.
  void plainStartBringsBackAMinimisedGroupInFront() {
    WindowManager wm(QStringLiteral("mutter"));
    if (!wm.Installed())
      QSKIP("mutter is not installed (scripts/setup installs it)");
    QString error;
    QVERIFY2(wm.Start(&error), qPrintable(error));
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());
    const std::optional<ZarvoWindows> w = zarvo.WaitForWindows(ZarvoProcess::Group, 60000);
    QVERIFY(w);
    // The group's windows: the main window, then the Options window and the Counter.
    QList<quint32> group;
    QString main;
    for (const auto& [title, size] : {std::pair{QStringLiteral("Zarvo"), QSize(200, 140)},
                                      std::pair{QStringLiteral("Options"), QSize(200, 280)},
                                      std::pair{QStringLiteral("Counter"), QSize(200, 140)}})
      for (const XWindow& x : XWindows())
        if (x.name == title && x.geometry.size() == size && IsViewable(x)) {
          group << x.id.toUInt(nullptr, 16);
          if (main.isEmpty())
            main = x.id;
        }
    QCOMPARE(group.size(), 3);
    QVERIFY(ClickAt(w->main->topLeft() + QPoint(161, 10))); // Hide
    const QString hidden = QStringLiteral("_NET_WM_STATE_HIDDEN");
    QTRY_VERIFY_WITH_TIMEOUT(NetWmState(main).contains(hidden) && !FindZarvoWindows().options, 30000);

    const Outcome o = Run({});
    QVERIFY2(o.status == 0, qPrintable(Describe(o)));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
    QTRY_VERIFY_WITH_TIMEOUT(!NetWmState(main).contains(hidden), 30000);
    // In front: the window with the focus is one of the group's (the window manager gives it to the
    // window raised last).
    QTRY_VERIFY_WITH_TIMEOUT(group.contains(ActiveWindow()), 30000);
    QVERIFY(zarvo.Terminate());
  }

  void theInterfaceFromGdbus() {
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString ran = scratch.filePath(QStringLiteral("ran"));
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::MainOnly, 30000));

    QProcess introspect;
    introspect.start(QStringLiteral("gdbus"),
                     {QStringLiteral("introspect"), QStringLiteral("--session"), QStringLiteral("--dest"),
                      QStringLiteral("org.zarvo.Zarvo"), QStringLiteral("--object-path"),
                      QStringLiteral("/org/zarvo/Zarvo")});
    QVERIFY(introspect.waitForFinished(30000));
    const QString xml = QString::fromLocal8Bit(introspect.readAllStandardOutput());
    for (const char* part :
         {"interface org.zarvo.Zarvo1", "Start(in  s mode", "in  a{ss} actions", "GetState(out b running",
          "Postpone(in  u seconds)", "StateChanged(b running", "Expired(as actions)"})
      QVERIFY2(xml.contains(QLatin1String(part)), qPrintable(xml));

    QProcess monitor;
    monitor.start(QStringLiteral("gdbus"), {QStringLiteral("monitor"), QStringLiteral("--session"),
                                            QStringLiteral("--dest"), QStringLiteral("org.zarvo.Zarvo")});
    QVERIFY(monitor.waitForStarted(10000));
    QString signalsSeen;
    connect(&monitor, &QProcess::readyReadStandardOutput,
            [&] { signalsSeen += QString::fromLocal8Bit(monitor.readAllStandardOutput()); });
    QTRY_VERIFY_WITH_TIMEOUT(signalsSeen.contains(QStringLiteral("Monitoring signals")), 30000);

    // Mistakes get the command line's words and change nothing; so does what cannot be done now.
    const auto refused = [](const Outcome& o, const QString& error, const QString& text) {
      return o.status != 0 && o.err.contains(error) && o.err.contains(text);
    };
    const QString invalid = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
    Outcome o = Gdbus(QStringLiteral("Start"), {QStringLiteral("after"), QStringLiteral("25h"),
                                                QStringLiteral("{'message': 'x'}"), QStringLiteral("false")});
    QVERIFY2(
        refused(o, invalid, QStringLiteral("the duration \"25h\" is a day or more; the longest is 23:59:59")),
        qPrintable(Describe(o)));
    o = Gdbus(QStringLiteral("Start"), {QStringLiteral("after"), QStringLiteral("10m"),
                                        QStringLiteral("{'reboot': ''}"), QStringLiteral("false")});
    QVERIFY2(refused(o, invalid, QStringLiteral("unknown action \"reboot\"")), qPrintable(Describe(o)));
    o = Gdbus(QStringLiteral("Start"),
              {QStringLiteral("at"), QStringLiteral("10:00"), QStringLiteral("{}"), QStringLiteral("false")});
    QVERIFY2(refused(o, invalid, QStringLiteral("nothing to do at the end")), qPrintable(Describe(o)));
    const QString notCounting = QStringLiteral("org.zarvo.Zarvo1.Error.NotCounting");
    QVERIFY(refused(Gdbus(QStringLiteral("Stop")), notCounting, QStringLiteral("no countdown runs")));
    QVERIFY(refused(Gdbus(QStringLiteral("Postpone"), {QStringLiteral("60")}), notCounting, QString()));
    o = Gdbus(QStringLiteral("GetState"));
    QVERIFY2(o.out == QStringLiteral("(false, '', '', uint32 0, @as [])"), qPrintable(Describe(o)));

    // A countdown of three seconds, postponed by three: read back, then it runs out and acts.
    o = Gdbus(QStringLiteral("Start"),
              {QStringLiteral("after"), QStringLiteral("3s"), QStringLiteral("{'run': 'touch %1'}").arg(ran),
               QStringLiteral("false")});
    QVERIFY2(o.status == 0 && o.out == QStringLiteral("()"), qPrintable(Describe(o)));
    QVERIFY(refused(
        Gdbus(QStringLiteral("Start"), {QStringLiteral("after"), QStringLiteral("1h"),
                                        QStringLiteral("{'shutdown': ''}"), QStringLiteral("false")}),
        QStringLiteral("org.zarvo.Zarvo1.Error.Counting"), QStringLiteral("a countdown already runs")));
    QVERIFY(refused(Gdbus(QStringLiteral("Postpone"), {QStringLiteral("0")}), invalid, QString()));
    QCOMPARE(Gdbus(QStringLiteral("Postpone"), {QStringLiteral("3")}).status, 0);
    o = Gdbus(QStringLiteral("GetState"));
    QVERIFY2(QRegularExpression(
                 QStringLiteral("^\\(true, 'after', '\\d\\d:\\d\\d:\\d\\d', uint32 [3-5], \\['run'\\]\\)$"))
                 .match(o.out)
                 .hasMatch(),
             qPrintable(Describe(o)));
    QVERIFY(!QFile::exists(ran));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ran), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(signalsSeen.contains(QStringLiteral("org.zarvo.Zarvo1.Expired (['run'],)")),
                             30000);
    QCOMPARE(Gdbus(QStringLiteral("GetState")).out, QStringLiteral("(false, '', '', uint32 0, @as [])"));

    // The signals: started, postponed, stopped (by the expiry), expired; then started and stopped.
    QVERIFY(Gdbus(QStringLiteral("Start"), {QStringLiteral("at"), QStringLiteral("23:59"),
                                            QStringLiteral("{'hibernate': ''}"), QStringLiteral("true")})
                .status == 0);
    QCOMPARE(Gdbus(QStringLiteral("Stop")).status, 0);
    QTRY_COMPARE_WITH_TIMEOUT(signalsSeen.count(QStringLiteral("org.zarvo.Zarvo1.StateChanged (false,")), 2,
                              30000);
    static const QRegularExpression changes(
        QStringLiteral("org\\.zarvo\\.Zarvo1\\.(StateChanged \\((true|false), '(\\w*)'|Expired)"));
    QStringList seen;
    for (auto it = changes.globalMatch(signalsSeen); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      seen << (m.captured(2).isEmpty() ? QStringLiteral("expired")
                                       : m.captured(2) + QLatin1Char(' ') + m.captured(3));
    }
    QCOMPARE(seen, (QStringList{QStringLiteral("true after"), QStringLiteral("true after"),
                                QStringLiteral("false "), QStringLiteral("expired"),
                                QStringLiteral("true at"), QStringLiteral("false ")}));
    monitor.kill();
    monitor.waitForFinished(10000);
    QVERIFY(zarvo.Terminate());
  }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance_e2e.moc"

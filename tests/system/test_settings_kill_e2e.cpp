// The real program killed (SIGKILL) at random moments while it saves its settings, three hundred saves
// in all: every save comes from the desktop's session manager asking it to save (as at a log-out)
// after the main window was moved, and every file left behind is the one before that save or the
// one after it, whole; the next start places the window where the file says.
#include "framework/profile_file.h"
#include "main/settings.h"
#include "tests/support/session_manager.h"
#include "tests/support/zarvo_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>

using namespace zarvo;
using namespace zarvo::test;

namespace {

constexpr int kSaves = 300;

// Each save moves the main window to a place of its own, and its top follows from its left, so a
// file that holds the left edge of one save and the top edge of another is seen at once.
QPoint PlaceOfSave(int save) { return {60 + save, 100 + (save * 7) % 700}; }

// The settings as the user left them: their own lines, which every save must keep.
const QByteArray kInitial =
    "; my notes, kept\n[Form1]\nLeft=59\nTop=93\nMyOwnKey=keep me\n[Elsewhere]\nx=1\n";

// A file in which the main window stands at `place`, made from `before` as a save would make it.
QByteArray WithPlace(const QByteArray& before, QPoint place) {
  const QByteArray left = *profile::SetValue(before, "Form1", "Left", profile::EncodeInteger(place.x()));
  return *profile::SetValue(left, "Form1", "Top", profile::EncodeInteger(place.y()));
}

// Whether `file` is what a save made of `before` with the window at one of `places`.
bool SavedAt(const QByteArray& file, const QByteArray& before, const QList<QPoint>& places) {
  for (const QPoint& p : places)
    if (file == WithPlace(before, p))
      return true;
  return false;
}

std::optional<QPoint> PlaceIn(const QByteArray& file) {
  const auto left = profile::FindValue(file, "Form1", "Left");
  const auto top = profile::FindValue(file, "Form1", "Top");
  if (!left || !top || !profile::DecodeInteger(*left) || !profile::DecodeInteger(*top))
    return std::nullopt;
  return QPoint(*profile::DecodeInteger(*left), *profile::DecodeInteger(*top));
}

// Whether the file holds all sixteen keys as integers and the user's own lines.
QString Whole(const QByteArray& file) {
  for (const SettingKey& k : kSettingKeys) {
    const auto value = profile::FindValue(file, k.section, k.key);
    if (!value || !profile::DecodeInteger(*value))
      return QStringLiteral("[%1] %2 is missing or no integer")
          .arg(QLatin1String(k.section), QLatin1String(k.key));
  }
  if (!file.startsWith("; my notes, kept\n") || profile::FindValue(file, "Form1", "MyOwnKey") != "keep me" ||
      profile::FindValue(file, "Elsewhere", "x") != "1")
    return QStringLiteral("the user's own lines are gone");
  return {};
}

} // namespace

class TestSettingsKill : public QObject {
  Q_OBJECT
private slots:
  void killedWhileSavingLeavesTheOldOrTheNewFile() {
    SessionManager sm;
    QVERIFY2(sm.Listen(), qPrintable(sm.Error()));
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    zarvo.Environment().insert(QStringLiteral("SESSION_MANAGER"), sm.Address());
    QVERIFY(zarvo.WriteSettings(kInitial));

    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator rng(seed);
    int save = 0, kills = 0, killedMidway = 0;
    QElapsedTimer saveTime;
    qint64 slowestSave = 0, lastSave = 0;
    while (save < kSaves) {
      const int registeredBefore = sm.SavesDone();
      QVERIFY(zarvo.Start());
      // The file the last run left is the one this run starts from: the window stands where it says.
      const QByteArray atStart = zarvo.ReadSettings();
      const std::optional<QPoint> expected = PlaceIn(atStart);
      QVERIFY(expected);
      std::optional<ZarvoWindows> w;
      QTRY_VERIFY_WITH_TIMEOUT(
          (w = zarvo.WaitForWindows(ZarvoProcess::MainOnly, 1000)) && w->main->topLeft() == *expected, 30000);
      // Registered, and the save the manager asks of every new client is done; then one save where
      // the window stands, which writes every key that the file lacks.
      QTRY_VERIFY_WITH_TIMEOUT(sm.Clients() == 1 && sm.SavesDone() > registeredBefore, 30000);
      {
        QSignalSpy done(&sm, &SessionManager::SaveDone);
        sm.SaveYourself();
        QVERIFY(done.wait(30000));
      }
      QByteArray confirmed = zarvo.ReadSettings();
      QVERIFY2(Whole(confirmed).isEmpty(), qPrintable(Whole(confirmed)));
      QCOMPARE(PlaceIn(confirmed), expected);

      const QString main = MainWindowId();
      QVERIFY(!main.isEmpty());
      QList<QPoint> places{*expected};
      const int savesThisRun = 5 + static_cast<int>(rng.bounded(25u));
      for (int i = 0; i < savesThisRun && save < kSaves; ++i, ++save) {
        const QPoint place = PlaceOfSave(save);
        QVERIFY(Move(main, place));
        QSignalSpy done(&sm, &SessionManager::SaveDone);
        saveTime.start();
        sm.SaveYourself();
        QVERIFY(done.wait(30000));
        lastSave = saveTime.nsecsElapsed();
        slowestSave = std::max(slowestSave, lastSave / 1'000'000);
        // The program may not have seen the last move yet when it saves: any place of this run.
        places << place;
        const QByteArray now = zarvo.ReadSettings();
        QVERIFY2(SavedAt(now, confirmed, places),
                 qPrintable(QStringLiteral("save %1 wrote:\n%2").arg(save).arg(QString::fromUtf8(now))));
        confirmed = now;
      }
      if (save >= kSaves)
        break;

      // One more move and save, killed somewhere inside it.
      const QPoint place = PlaceOfSave(save++);
      QVERIFY(Move(main, place));
      sm.SaveYourself();
      QElapsedTimer spin;
      spin.start();
      // Anywhere from the request to well past the time the last save took.
      const qint64 delayNs = rng.bounded(quint32(std::clamp<qint64>(2 * lastSave, 1'000'000, 2'000'000'000)));
      while (spin.nsecsElapsed() < delayNs) {
      }
      zarvo.Kill();
      ++kills;

      places << place;
      const QByteArray left = zarvo.ReadSettings();
      QVERIFY2(left == confirmed || SavedAt(left, confirmed, places),
               qPrintable(QStringLiteral("save %1, killed after %2 us: a file that no save wrote:\n%3")
                              .arg(save)
                              .arg(delayNs / 1000)
                              .arg(QString::fromUtf8(left))));
      killedMidway += left == confirmed;
      // Nothing half written lies beside it either.
      QCOMPARE(QDir(zarvo.Folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
               (QStringList{QStringLiteral("Settings.ini"), QStringLiteral("zarvo")}));
      QTRY_COMPARE_WITH_TIMEOUT(sm.Clients(), 0, 10000);
    }
    qInfo("%d saves, %d kills (%d before the save was in the file), slowest save %lld ms", save, kills,
          killedMidway, slowestSave);
    QVERIFY2(kills >= 8, "too few kills");
    QVERIFY(zarvo.Terminate());
  }

private:
  static QString MainWindowId() {
    for (const XWindow& w : XWindows())
      if ((w.name == QLatin1String("Zarvo") || w.name.startsWith(QStringLiteral("Zarvo "))) &&
          w.geometry.size() == QSize(200, 140) && IsViewable(w.id))
        return w.id;
    return {};
  }

  // Moves the window as a window manager would, and waits until the X server has it there.
  static bool Move(const QString& window, QPoint place) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
      return false;
    const xcb_window_t id = window.toUInt(nullptr, 16);
    const std::uint32_t values[] = {std::uint32_t(place.x()), std::uint32_t(place.y())};
    xcb_configure_window(c, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    // The server answers in order: once the geometry comes back, the move is done.
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
    const bool moved = g && g->x == place.x() && g->y == place.y();
    std::free(g);
    return moved;
  }
};

QTEST_MAIN(TestSettingsKill)
#include "test_settings_kill_e2e.moc"

// A real window manager (kwin_x11, xfwm4, mutter, openbox) started by a test on its own X server,
// and what the window manager tells every X client about the windows it manages.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace zarvo::test {

class WindowManager {
public:
  // `program` is the window manager's executable: "kwin_x11", "xfwm4", "mutter" or "openbox".
  explicit WindowManager(QString program);
  ~WindowManager(); // ends it

  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // Whether the window manager is installed at all (scripts/setup installs every one of them).
  bool Installed() const;
  // Starts it on the test's display, in place of any window manager there, and waits until it
  // manages the screen. On failure `error` says why.
  bool Start(QString* error);
  const QString& Program() const { return program_; }

private:
  QString program_;
  QProcess process_;
};

// The atoms of a window's _NET_WM_STATE ("_NET_WM_STATE_SKIP_TASKBAR", ...), as the window manager
// keeps them; `id` is a window id as xwininfo gives it.
QStringList NetWmState(const QString& id);
// Whether a window's WM_HINTS ask for it to be mapped minimised.
bool StartsMinimised(const QString& id);
// The window the window manager says is active (_NET_ACTIVE_WINDOW), 0 for none.
quint32 ActiveWindow();
// Asks the window manager to activate the window, as a pager does.
bool ActivateWindow(quint32 id);

// Whether `condition` holds at every look for `ms` milliseconds: the one way a test says that
// something does not happen (a window manager acts on its own time).
template <typename Condition> bool HoldsFor(int ms, Condition condition);

} // namespace zarvo::test

#include <QDeadlineTimer>
#include <QTest>

template <typename Condition> bool zarvo::test::HoldsFor(int ms, Condition condition) {
  const QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    if (!condition())
      return false;
    QTest::qWait(50);
  }
  return condition();
}

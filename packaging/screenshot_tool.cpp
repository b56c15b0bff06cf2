// Takes the picture of the program for the README, the Help page and software centres: the real
// windows in the states a user meets them (a countdown running, the stopwatch paused, a message
// shown, About open, the menu open), laid out side by side and grabbed from the X server.
// scripts/screenshot runs it on a private Xvfb; it never lives long enough to see its countdown end.
#include "counter/counter_window.h"
#include "framework/qt_dialogs.h"
#include "main/main_window.h"
#include "main/timed_command_line.h"
#include "main/window_set.h"
#include "options/options_window.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "small_windows/about_window.h"
#include "small_windows/message_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// Lets the program run (paint, tick, answer the X server) until `done` or `ms` have passed.
bool RunUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms)
      return false;
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

void RunFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  RunUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

int Fail(const char* what) {
  std::fprintf(stderr, "zarvo_screenshot: %s\n", what);
  return 1;
}

} // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zarvo"));
  QApplication::setQuitOnLastWindowClosed(false);
  if (QCoreApplication::arguments().size() != 2) {
    std::fputs("Usage: zarvo_screenshot OUT.png\n", stderr);
    return 2;
  }
  const QString out = QCoreApplication::arguments().at(1);
  // Whatever happens, the countdown below is never allowed to reach its end.
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, [] {
    std::fputs("zarvo_screenshot: gave up after a minute\n", stderr);
    std::_Exit(3);
  });
  deadline.start(60000);

  zarvo::SystemClock clock;
  zarvo::QtDialogs dialogs;
  const std::unique_ptr<zarvo::Platform> platform = zarvo::CreatePlatform();
  zarvo::WindowSet windows(clock, dialogs, *platform);
  if (!windows.Create())
    return Fail("the windows were not created");
  zarvo::TForm1* main = windows.Form1();
  // The settings load at the first turn of the event loop places and shows the group.
  if (!RunUntil([&] { return main->isVisible() && windows.FormCounter()->isVisible(); }, 20000))
    return Fail("the main window did not appear");

  // An evening's countdown: shut down in 45 minutes, with a message before.
  zarvo::TimedStart start;
  start.mode = zarvo::CountdownMode::After;
  start.pickerMs = 45 * 60 * 1000;
  start.selection.Power(zarvo::PowerAction::ShutDown) = true;
  start.selection.ShowMessageSelected = true;
  start.selection.MessageText = QStringLiteral("Time to save your work: the computer shuts down soon.");
  main->StartTimed(start);

  // The stopwatch, run for a moment and paused.
  windows.FormCounter()->StartClick();
  RunFor(2300);
  windows.FormCounter()->PauseClick();

  // The message and About windows beside the group, the menu opened at the main window's right.
  const QRect group = main->frameGeometry().united(windows.FormCounter()->frameGeometry());
  const int gap = 24;
  zarvo::TFormAbout* about = windows.FormAbout();
  about->show();
  RunUntil([&] { return about->isVisible(); }, 5000);
  const QRect options = main->FormOptions->frameGeometry();
  about->MoveTo(options.left() - gap - about->width(),
                options.top() + (options.height() - about->height()) / 2);

  QMenu* menu = main->PopupMenu1;
  const QPoint menuAt(group.right() + gap, group.top());
  menu->popup(menuAt);
  RunUntil([&] { return menu->isVisible(); }, 5000);

  zarvo::TFormMessage* message = windows.FormMessage();
  message->ShowMessage();
  RunUntil([&] { return message->isVisible(); }, 5000);
  message->MoveTo(menu->geometry().right() + gap, group.bottom() + 1 - message->height());
  // ShowMessage made the message window active, which closes a popup menu: open it again.
  if (!menu->isVisible())
    menu->popup(menuAt);
  if (!RunUntil([&] { return menu->isVisible(); }, 5000))
    return Fail("the menu did not open");
  RunFor(1500); // every window painted

  QRect shown;
  for (const QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible())
      shown = shown.united(w->frameGeometry());
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = shown.adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2).intersected(screen->geometry());
  const QPixmap picture = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  if (picture.isNull() || !picture.save(out, "PNG", 9))
    return Fail("the picture could not be taken or saved");
  std::printf("zarvo_screenshot: wrote %s (%d x %d)\n", qPrintable(out), area.width(), area.height());
  return 0;
}

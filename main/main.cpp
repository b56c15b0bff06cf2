// Program entry: the six windows, then the event loop until the main window closes.
#include "framework/qt_dialogs.h"
#include "main/main_window.h"
#include "main/timed_command_line.h"
#include "main/window_set.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "project_info.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
  // The windows place and dock themselves by absolute position, which a Wayland session does not
  // allow: run through XWayland when it is there.
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
      !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zarvo"));
  // Ties the windows to the installed desktop entry: docks and task bars show its name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZARVO_APP_ID));
  QApplication::setQuitOnLastWindowClosed(false);

  // A countdown given on the command line (Qt has taken its own options out by now). A mistake in
  // it ends the program before any window, with one line saying what is wrong.
  const zarvo::TimedCommandLine timed =
      zarvo::ParseTimedCommandLine(QCoreApplication::arguments().mid(1), QDir::currentPath(), QDir::homePath());
  if (timed.kind == zarvo::TimedCommandLine::Kind::Error) {
    std::fputs((timed.error + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    return 2;
  }

  zarvo::SystemClock clock;
  zarvo::QtDialogs dialogs;
  const std::unique_ptr<zarvo::Platform> platform = zarvo::CreatePlatform();

  zarvo::WindowSet windows(clock, dialogs, *platform);
  if (!windows.Create())
    return 0;

  zarvo::TForm1* main = windows.Form1();
  QObject::connect(main, &zarvo::TForm1::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  // The main window starts in the middle of the screen; the settings load places the group.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->availableGeometry();
    main->MoveTo(s.center().x() - main->width() / 2, s.center().y() - main->height() / 2);
  }
  main->show();
  if (timed.kind == zarvo::TimedCommandLine::Kind::Start)
    main->StartTimed(timed.start);
  return app.exec();
}

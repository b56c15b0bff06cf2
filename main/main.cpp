// Program entry: the six windows, then the event loop until the main window closes.
#include "assets/skin.h"
#include "framework/caret_rest.h"
#include "framework/decoded_pictures.h"
#include "framework/qt_dialogs.h"
#include "main/command_line.h"
#include "main/command_line_action.h"
#include "main/countdown_service.h"
#include "main/main_window.h"
#include "main/power_action.h"
#include "main/remote_command_line.h"
#include "main/settings.h"
#include "main/timed_command_line.h"
#include "main/window_set.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/remote_control.h"
#include "platform/termination.h"
#include "project_info.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMap>
#include <QMetaType>

#include <cstdio>
#include <optional>

namespace {

// A power action word on the command line. With the confirmation off no window is needed, so none
// is made and no display either (over SSH, from cron): the action runs and its answer gives the
// status. With it on and no display there is no way to ask: said, status 1, nothing done. Nothing
// (go on with the windows) for any other command line, or to ask on the display.
std::optional<int> CommandLineActionWithoutWindows(int& argc, char** argv) {
  QCoreApplication core(argc, argv);
  const std::unique_ptr<zarvo::Platform> platform = zarvo::CreatePlatform();
  const QString word = zarvo::RequestedActionWord(platform->CommandLine(), platform->ExecutablePath());
  if (word.isEmpty())
    return std::nullopt;
  const QString settings =
      zarvo::SettingsFilePath(platform->ExecutableDirectory(), QString::fromLatin1(zarvo::kSettingsFileName));
  if (zarvo::ReadSetting(settings, zarvo::SettingId::Showconfirmation1)) {
    if (zarvo::DisplayAvailable())
      return std::nullopt;
    std::fputs(zarvo::NoDisplayToConfirmText(word).toLocal8Bit().constData(), stderr);
    return 1;
  }
  zarvo::PerformCommandLineAction(*platform, word, [](int status) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [status] { QCoreApplication::exit(status); }, Qt::QueuedConnection);
  });
  return QCoreApplication::exec();
}

// Without a display no window of this start can open, but its countdown (or the wish to see the
// windows) can still go to the session's running Zarvo: a script over SSH, a job from cron. The
// exit status, or nothing when no Zarvo runs (the start then fails for want of a display).
std::optional<int> HandOverWithoutDisplay(int& argc, char** argv) {
  QCoreApplication core(argc, argv);
  const zarvo::TimedCommandLine timed = zarvo::ParseTimedCommandLine(QCoreApplication::arguments().mid(1),
                                                                     QDir::currentPath(), QDir::homePath());
  if (timed.kind == zarvo::TimedCommandLine::Kind::Error) {
    std::fputs((timed.error + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    return 2;
  }
  return zarvo::HandOverToRunningZarvo(timed);
}

} // namespace

int main(int argc, char* argv[]) {
  // Qt's registry of the types registered at run time is made with the first of them and, like the
  // D-Bus connections' thread, destroyed at exit in the reverse order of making. Made first, it
  // outlives that thread, which may still be reading a late message of the bus while the process
  // ends: read into types already gone, it was a warning on standard error after the answer of a
  // `zarvo --cancel`.
  qRegisterMetaType<QMap<QString, QString>>();

  // --help and --version need no display: answered before any GUI exists.
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  if (zarvo::IsInformationRequest(arguments)) {
    QCoreApplication core(argc, argv);
    const QString settings = zarvo::SettingsFilePath(QCoreApplication::applicationDirPath(),
                                                     QString::fromLatin1(zarvo::kSettingsFileName));
    std::fputs(zarvo::InformationText(arguments, settings).toLocal8Bit().constData(), stdout);
    return 0;
  }

  // The running Zarvo's countdown from a script: no display needed either.
  if (const zarvo::ControlCommandLine control = zarvo::ParseControlCommandLine(arguments.mid(1));
      control.kind != zarvo::ControlCommandLine::Kind::None) {
    if (control.kind == zarvo::ControlCommandLine::Kind::Error) {
      std::fputs((control.error + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
      return 2;
    }
    QCoreApplication core(argc, argv);
    return zarvo::RunControlCommand(control);
  }

  if (arguments.size() == 2)
    if (const std::optional<int> status = CommandLineActionWithoutWindows(argc, argv))
      return *status;

  if (!zarvo::DisplayAvailable())
    if (const std::optional<int> status = HandOverWithoutDisplay(argc, argv))
      return *status;

  // Begun before the application object, so that it runs while that connects to the display.
  zarvo::DecodedPictures pictures;
  const zarvo::StartupWarmUp warmUp(
      [&pictures] { pictures.Decode(zarvo::skin::PicturesOfTheFirstWindows()); });

  // The windows place and dock themselves by absolute position, which a Wayland session does not
  // allow: run through XWayland when it is there.
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
      !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  zarvo::DisplayConnectionSetup displayConnection;
  QApplication app(argc, argv);
  displayConnection.Done();
  QApplication::setApplicationName(QStringLiteral("Zarvo"));
  // Ties the windows to the installed desktop entry: docks and task bars show its name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZARVO_APP_ID));
  QApplication::setQuitOnLastWindowClosed(false);

  // A countdown given on the command line (Qt has taken its own options out by now). A mistake in
  // it ends the program before any window, with one line saying what is wrong.
  const zarvo::TimedCommandLine timed = zarvo::ParseTimedCommandLine(QCoreApplication::arguments().mid(1),
                                                                     QDir::currentPath(), QDir::homePath());
  if (timed.kind == zarvo::TimedCommandLine::Kind::Error) {
    std::fputs((timed.error + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    return 2;
  }

  pictures.Publish();

  zarvo::SystemClock clock;
  zarvo::QtDialogs dialogs;
  // Destroyed after the windows, so that no window outlives what it calls.
  const std::unique_ptr<zarvo::Platform> platform = zarvo::CreatePlatform();

  zarvo::WindowSet windows(clock, dialogs, *platform);
  // One Zarvo per session: a second start hands its countdown (or only the wish to see the windows)
  // to the first and ends. A lone action word acts at once, whatever runs.
  zarvo::CountdownService service(windows);
  std::unique_ptr<QObject> publication; // destroyed before the service it offers
  if (zarvo::RequestedActionWord(platform->CommandLine(), platform->ExecutablePath()).isEmpty() &&
      zarvo::PublishRemoteControl(service, publication) == zarvo::InstanceRole::Another)
    if (const std::optional<int> status = zarvo::HandOverToRunningZarvo(timed))
      return *status;

  // A timed power action the system will not carry out is said on standard error as soon as the
  // system has answered; nothing waits for the answer.
  if (timed.kind == zarvo::TimedCommandLine::Kind::Start)
    if (const auto action = zarvo::SelectedPowerAction(timed.start.selection)) {
      const QString word = zarvo::ActionWord(*action);
      platform->CheckPowerAction(word, [word](const zarvo::PowerCapability& capability) {
        if (capability.answer == zarvo::PowerCapability::Answer::No)
          std::fputs(QStringLiteral("zarvo: this computer will not carry out --%1 when the time is up: %2.\n")
                         .arg(word, capability.reason)
                         .toLocal8Bit()
                         .constData(),
                     stderr);
      });
    }

  if (!windows.Create()) {
    // A command-line action: the program ends once the system has answered it.
    zarvo::TForm1* main = windows.Form1();
    if (!main->CommandLineActionPending())
      return 0;
    QObject::connect(main, &zarvo::TForm1::CommandLineActionDone, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    return app.exec();
  }

  service.Attach();
  zarvo::TForm1* main = windows.Form1();
  QObject::connect(main, &zarvo::TForm1::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  // Asked to end by the system (the session stopping, `kill`): ends as a close does, saving.
  const std::unique_ptr<QObject> termination = zarvo::WatchTerminationRequests([main] { main->close(); });
  // Logging out with the program still open keeps the layout too.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, main, [main] {
    try {
      main->SaveSettings();
    } catch (...) {
    }
  });
  const zarvo::CaretRest caretRest;
  // The settings load (at the first turn of the event loop) places and shows the windows.
  if (timed.kind == zarvo::TimedCommandLine::Kind::Start)
    windows.StartTimed(timed.start);
  return app.exec();
}

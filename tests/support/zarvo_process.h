// The real zarvo binary started as a user starts it, in a scratch home and program folder of its
// own, and waited for until its windows are on the test's X server.
#pragma once

#include "tests/support/x_session.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace zarvo::test {

// The three windows of the group as the X server places them.
struct ZarvoWindows {
  std::optional<QRect> main, options, counter;
};

class ZarvoProcess {
public:
  // Which windows WaitForWindows waits for, besides the main window.
  enum Wait {
    MainOnly = 0,
    Options = 1,
    Counter = 2,
    Group = Options | Counter,
    OptionsDocked = 4 | Options
  };

  // Makes the scratch folders and puts the program into its folder (a hard link to the built
  // binary, a copy where that fails), so the Settings.ini beside it is this test's alone.
  ZarvoProcess();
  ~ZarvoProcess(); // a program still running is asked to end, then killed

  ZarvoProcess(const ZarvoProcess&) = delete;
  ZarvoProcess& operator=(const ZarvoProcess&) = delete;

  // Whether the folders and the program are in place.
  bool IsValid() const { return valid_; }

  QString Folder() const;       // the program's folder
  QString Program() const;      // the program in it
  QString SettingsFile() const; // Settings.ini beside the program
  QString Home() const;         // HOME; XDG_CONFIG_HOME is Home()/.config

  // The environment the program starts with: the test's own, HOME and the XDG folders moved to
  // the scratch home. Change it before Start.
  QProcessEnvironment& Environment() { return environment_; }
  // The process itself: channels, working folder (the program's folder unless changed), state.
  QProcess& Process() { return process_; }

  // The program meets file permissions as a user does, even where the tests run as root: the
  // capabilities that bypass them are taken from it before it starts.
  void ObeyFilePermissions();

  // Starts the program with `arguments` and waits until it runs.
  bool Start(const QStringList& arguments = {});
  bool IsRunning() const { return process_.state() != QProcess::NotRunning; }

  // Waits until the main window (200 x 140, titled "Zarvo") is viewable, together with the windows
  // `which` names (Options 200 x 280, docked flush left of the main window with OptionsDocked;
  // the Counter 200 x 140). Gives the windows found, or nothing after `timeoutMs`.
  std::optional<ZarvoWindows> WaitForWindows(int which = MainOnly, int timeoutMs = 30000) const;

  // Asks the program to end (SIGTERM) and waits; true when it ended within `timeoutMs`.
  bool Terminate(int timeoutMs = 10000);
  // Ends it at once (SIGKILL) and waits.
  void Kill();

  // The settings file beside the program, replaced or read whole; empty when it cannot be read.
  bool WriteSettings(const QByteArray& content) const;
  QByteArray ReadSettings() const;

private:
  QTemporaryDir dir_;
  bool valid_ = false;
  QProcessEnvironment environment_;
  QProcess process_;
};

// The window group as the program shows it now, or nothing where a window is not on the screen.
ZarvoWindows FindZarvoWindows();

// A viewable top-level window whose title starts with `title` and whose size is not `notSize`
// (the program's boxes share their caption with its skinned windows).
std::optional<XWindow> FindBox(const QString& title, QSize notSize = QSize(200, 140));

} // namespace zarvo::test

// A platform for tests: records every request in order and answers from settable values.
#pragma once

#include "platform/clock.h"
#include "platform/platform.h"

#include <QHash>
#include <QStringList>
#include <functional>

namespace zarvo {

class FakePlatform final : public Platform {
  Q_OBJECT
public:
  // One recorded request, e.g. "privilege", "exit 13", "power suspend force", "run notepad x".
  QStringList calls;

  QString commandLine;
  QString executablePath = QStringLiteral("/opt/zarvo/zarvo");
  QString currentDirectory = QStringLiteral("/home/user");
  QString dataDirectory = QStringLiteral("/opt/zarvo/share/zarvo");
  bool transparency = true;
  PowerStatus powerStatus;
  // Notifications shown and withdrawn, in order: "critical|summary|body|label,label" (the first
  // field empty for normal urgency) or "withdraw". Kept apart from `calls`, which lists the
  // requests that act on the machine.
  QStringList notifications;
  DesktopNotification lastNotification;
  // The idle inhibitor: whether it is held, and every take and release as "inhibit <reason>" and
  // "uninhibit".
  bool idleInhibited = false;
  QStringList inhibitCalls;
  // Runs between the announcement of a sleep and the wake-up, as the machine sleeps and wakes: a
  // test moves the clock on (Clock::Sleep) and runs ticks here.
  std::function<void()> whileAsleep;
  // When set, a stand-by or hibernate stays asleep until WakeUp(); otherwise it wakes at the next
  // turn of the event loop.
  bool holdSleep = false;
  // When not empty, every power request is refused with this reason.
  QString refusal;
  // What CheckPowerAction answers, by action word (Yes where none is set), and the words asked.
  QHash<QString, PowerCapability> capabilities;
  QStringList checks;
  void CheckPowerAction(const QString& word, PowerCapabilityAnswered answered) override;
  // Sleeps that have been announced and not yet woken from.
  int sleepsPending() const { return static_cast<int>(sleeping_.size()); }
  // Ends the held sleeps: their requests hear they were accepted, then the wake-up is broadcast.
  void WakeUp();

  void EnableShutdownPrivilege() override;
  void ExitWindows(unsigned flags, PowerAnswered answered) override;
  void SetSystemPowerState(bool suspend, bool force, PowerAnswered answered) override;
  QString CommandLine() const override { return commandLine; }
  QString ExecutablePath() const override { return executablePath; }
  QString ExecutableDirectory() const override;
  QString CurrentDirectory() const override { return currentDirectory; }
  QString DataDirectory() const override { return dataDirectory; }
  bool SupportsTransparency() const override { return transparency; }
  // Command lines that fail to start, with the reason RunCommandLine gives.
  QHash<QString, QString> runFailures;
  QString RunCommandLine(const QString& commandLine) override;
  void OpenUrl(const QString& url) override;
  void Beep() override;
  PowerStatus GetPowerStatus() const override { return powerStatus; }
  void ShowNotification(const DesktopNotification& notification) override;
  void WithdrawNotification() override;
  void InhibitIdle(const QString& reason) override;
  void UninhibitIdle() override;
  // How often the program asked for the power events to be watched.
  int powerWatchRequests = 0;
  void WatchPowerEvents() override { ++powerWatchRequests; }

  // Sends a power broadcast as the system would.
  void Broadcast(int event, qint64 parameter = 0) { emit PowerBroadcast(event, parameter); }
  // Presses a button of the notification as the user would.
  void PressNotificationButton(const QString& key) { emit NotificationAction(key); }

private:
  QList<PowerAnswered> sleeping_;
};

// A clock that stands still until a test moves it.
class FakeClock final : public Clock {
public:
  int timeOfDay = 12 * 3'600'000;
  qint64 tick = 1'000'000;
  qint64 bootTick = 5'000'000;

  int TimeOfDayMs() const override { return timeOfDay; }
  qint64 TickCount() const override { return tick; }
  qint64 BootTickCount() const override { return bootTick; }
  // Moves the time of day (wrapping at midnight) and both tick counts forward.
  void Advance(int ms) {
    Sleep(ms);
    tick += ms;
    bootTick += ms;
  }
  // The machine is suspended for `ms`: the time of day and the boot-time count go on, the
  // monotonic tick stands still.
  void Suspend(int ms) {
    Sleep(ms);
    bootTick += ms;
  }
  // The machine sleeps for `ms`, or the clock is set forward by it: only the time of day moves.
  void Sleep(int ms) { timeOfDay = static_cast<int>((static_cast<qint64>(timeOfDay) + ms) % kDayMs); }
  void SetTime(int h, int m, int s, int ms = 0) { timeOfDay = ((h * 60 + m) * 60 + s) * 1000 + ms; }
};

} // namespace zarvo

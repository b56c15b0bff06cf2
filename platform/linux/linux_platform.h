// The Linux back end: logind, the desktop's session manager and notification server over D-Bus,
// /proc for process facts.
#pragma once

#include "platform/platform.h"

#include <memory>

namespace zarvo {

class DesktopNotifier;
class IdleInhibitor;
class LogindPower;
class UPowerEvents;

class LinuxPlatform final : public Platform {
  Q_OBJECT
public:
  explicit LinuxPlatform(QObject* parent = nullptr);
  ~LinuxPlatform() override;

  void EnableShutdownPrivilege() override;
  void ExitWindows(unsigned flags, PowerAnswered answered) override;
  void SetSystemPowerState(bool suspend, bool force, PowerAnswered answered) override;
  void CheckPowerAction(const QString& word, PowerCapabilityAnswered answered) override;
  QString CommandLine() const override;
  QString ExecutablePath() const override;
  QString ExecutableDirectory() const override;
  QString CurrentDirectory() const override;
  QString DataDirectory() const override;
  bool SupportsTransparency() const override;
  QString RunCommandLine(const QString& commandLine) override;
  void OpenUrl(const QString& url) override;
  void Beep() override;
  PowerStatus GetPowerStatus() const override;
  void ShowNotification(const DesktopNotification& notification) override;
  void WithdrawNotification() override;
  void InhibitIdle(const QString& reason) override;
  void UninhibitIdle() override;
  void WatchPowerEvents() override;
  void ReturnFreedMemory() override; // freed_memory.cpp

private:
  LogindPower& Power();

  // Made by WatchPowerEvents or the first power request: both subscribe on the system bus.
  std::unique_ptr<LogindPower> power_;
  std::unique_ptr<UPowerEvents> upower_;
  // Made on first use, so that a start that never counts down talks to neither service.
  std::unique_ptr<DesktopNotifier> notifier_;
  std::unique_ptr<IdleInhibitor> inhibitor_;
};

// The command line as one text: the executable's full path in double quotes, then each further
// argument after one blank (quoted when it holds a blank).
QString JoinCommandLine(const QString& executablePath, const QStringList& arguments);
// The arguments in the NUL-separated form of /proc/<pid>/cmdline, the program's own path first.
QStringList RawArguments(const QByteArray& cmdline);

} // namespace zarvo

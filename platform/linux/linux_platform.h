// The Linux back end: logind and the desktop's session manager over D-Bus, /proc for process facts.
#pragma once

#include "platform/platform.h"

#include <memory>

namespace zarvo {

class LogindPower;
class UPowerEvents;

class LinuxPlatform final : public Platform {
  Q_OBJECT
public:
  explicit LinuxPlatform(QObject* parent = nullptr);
  ~LinuxPlatform() override;

  void EnableShutdownPrivilege() override;
  void ExitWindows(unsigned flags) override;
  void SetSystemPowerState(bool suspend, bool force) override;
  QString CommandLine() const override;
  QString ExecutablePath() const override;
  QString ExecutableDirectory() const override;
  QString CurrentDirectory() const override;
  QString DataDirectory() const override;
  bool SupportsTransparency() const override;
  void RunCommandLine(const QString& commandLine) override;
  void OpenUrl(const QString& url) override;
  void Beep() override;
  PowerStatus GetPowerStatus() const override;

private:
  std::unique_ptr<LogindPower> power_;
  std::unique_ptr<UPowerEvents> upower_;
};

// The command line as one text: the executable's full path in double quotes, then each further
// argument after one blank (quoted when it holds a blank).
QString JoinCommandLine(const QString& executablePath, const QStringList& arguments);

} // namespace zarvo

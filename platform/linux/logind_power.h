// Power requests through systemd-logind (and the desktop's session manager for log-off) over D-Bus,
// and logind's sleep notifications turned into power broadcasts.
#pragma once

#include "platform/linux/pending_calls.h"
#include "platform/linux/power_supply.h"
#include "platform/platform.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace zarvo {

class LogindPower : public QObject {
  Q_OBJECT
public:
  explicit LogindPower(QObject* parent = nullptr);
  // Waits for requests still on their way, so that a request made just before the process
  // ends (a command-line action) still reaches logind.
  ~LogindPower() override;

  // Shut down (ShutDown|PowerOff), restart (Reboot) or log off (LogOff), plus Force. Returns at
  // once; the answer is handled later and failures are dropped.
  void ExitWindows(unsigned flags);
  // Stand-by (suspend) or hibernate. Runs a nested event loop until logind reports the resume,
  // or returns as soon as the request is refused.
  void SetSystemPowerState(bool suspend, bool force);

  // How long an accepted sleep request may take to start (PrepareForSleep(true)) before the
  // wait gives up on it.
  void SetSleepStartTimeout(int ms) { sleepStartTimeoutMs_ = ms; }
  static constexpr int DefaultSleepStartTimeoutMs = 10000;

signals:
  void PowerBroadcast(int event, qint64 parameter);

private Q_SLOTS:
  void OnPrepareForSleep(bool start);

private:
  struct SleepWait;

  // PowerOff, Reboot, Suspend or Hibernate; with force the ...WithFlags variant first.
  void RequestManagerAction(const QString& method, bool force, std::function<void(bool accepted)> done);
  void LogOff(bool force);
  void TerminateOwnSession();
  void EndSleepWait(SleepWait& wait);
  void OnLogindGone();

  PendingCalls calls_;
  std::vector<std::shared_ptr<SleepWait>> sleepWaits_;
  bool resumeDeferred_ = false;
  int sleepStartTimeoutMs_ = DefaultSleepStartTimeoutMs;
};

// The session id encoded in a logind session object path (".../session/_31" is session "1").
QString SessionIdFromObjectPath(const QString& path);

} // namespace zarvo

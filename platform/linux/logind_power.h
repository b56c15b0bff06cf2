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
  // Requests still on their way are left to the bus: their answers are no longer heard.
  ~LogindPower() override;

  // Shut down (ShutDown|PowerOff), restart (Reboot) or log off (LogOff), plus Force. Returns at
  // once; `answered` hears the system's answer.
  void ExitWindows(unsigned flags, PowerAnswered answered);
  // Stand-by (suspend) or hibernate. Returns at once; `answered` hears once logind has reported
  // the wake-up, or as soon as the request is refused or the sleep does not begin.
  void SetSystemPowerState(bool suspend, bool force, PowerAnswered answered);

  // Asks logind (CanPowerOff, CanReboot, CanSuspend, CanHibernate) whether the action of `word` is
  // allowed; for a log-off, whether a session manager or a logind session will take it.
  void CheckPowerAction(const QString& word, PowerCapabilityAnswered answered);

  // How long an accepted sleep request may take to start (PrepareForSleep(true)) before it counts
  // as one that will not happen.
  void SetSleepStartTimeout(int ms) { sleepStartTimeoutMs_ = ms; }
  static constexpr int DefaultSleepStartTimeoutMs = 10000;

  // Whether a request is still waiting for its answer.
  bool Busy() const { return !calls_.IsEmpty() || !sleepWaits_.empty(); }

signals:
  void PowerBroadcast(int event, qint64 parameter);

private Q_SLOTS:
  void OnPrepareForSleep(bool start);

private:
  struct SleepWait;
  using Reply = std::function<void(const QDBusMessage& reply)>;

  // PowerOff, Reboot, Suspend or Hibernate; with force the ...WithFlags variant first.
  void RequestManagerAction(const QString& method, bool force, Reply done);
  void LogOff(bool force, PowerAnswered answered);
  void TerminateOwnSession(PowerAnswered answered);
  void FinishSleepWait(const std::shared_ptr<SleepWait>& wait, const PowerAnswer& answer);
  void OnLogindGone();
  void AnswerCapabilityLater(const PowerCapabilityAnswered& answered, const PowerCapability& capability);

  PendingCalls calls_;
  std::vector<std::shared_ptr<SleepWait>> sleepWaits_;
  int sleepStartTimeoutMs_ = DefaultSleepStartTimeoutMs;
};

// The session id encoded in a logind session object path (".../session/_31" is session "1").
QString SessionIdFromObjectPath(const QString& path);

// What logind's answer to one of its Can... methods ("yes", "challenge", "no", "na") means for the
// action of `word`.
PowerCapability CapabilityFromAnswer(const QString& word, const QString& answer);

// The answer a D-Bus reply to a power request stands for.
PowerAnswer AnswerFromReply(const QDBusMessage& reply);
// Hands `answer` to `answered` from the event loop (a request never answers from inside itself).
void AnswerLater(QObject* context, const PowerAnswered& answered, const PowerAnswer& answer);

} // namespace zarvo

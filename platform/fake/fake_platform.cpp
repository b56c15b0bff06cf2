#include "platform/fake/fake_platform.h"

#include <QFileInfo>

namespace zarvo {

void FakePlatform::EnableShutdownPrivilege() { calls << QStringLiteral("privilege"); }

void FakePlatform::ExitWindows(unsigned flags, PowerAnswered answered) {
  calls << QStringLiteral("exit %1").arg(flags);
  if (answered)
    QMetaObject::invokeMethod(
        this,
        [answered, reason = refusal] {
          answered({reason.isEmpty(), reason});
        },
        Qt::QueuedConnection);
}

void FakePlatform::SetSystemPowerState(bool suspend, bool force, PowerAnswered answered) {
  calls << QStringLiteral("power %1%2")
               .arg(suspend ? QStringLiteral("suspend") : QStringLiteral("hibernate"),
                    force ? QStringLiteral(" force") : QString());
  if (!refusal.isEmpty()) {
    if (answered)
      QMetaObject::invokeMethod(
          this,
          [answered, reason = refusal] {
            answered({false, reason});
          },
          Qt::QueuedConnection);
    return;
  }
  // As logind does it: the sleep is announced, the machine sleeps and wakes (ticks may run in
  // between, and after waking), the request hears of the wake-up, then the wake-up is broadcast.
  emit PowerBroadcast(PowerEvent::Suspend, 0);
  sleeping_ << answered;
  if (!holdSleep)
    QMetaObject::invokeMethod(this, &FakePlatform::WakeUp, Qt::QueuedConnection);
}

void FakePlatform::CheckPowerAction(const QString& word, PowerCapabilityAnswered answered) {
  checks << word;
  QMetaObject::invokeMethod(
      this, [answered, capability = capabilities.value(word)] { answered(capability); },
      Qt::QueuedConnection);
}

void FakePlatform::WakeUp() {
  if (sleeping_.isEmpty())
    return;
  if (whileAsleep)
    whileAsleep();
  const QList<PowerAnswered> woken = std::exchange(sleeping_, {});
  for (const PowerAnswered& answered : woken)
    if (answered)
      answered({});
  QMetaObject::invokeMethod(
      this, [this] { emit PowerBroadcast(PowerEvent::ResumeSuspend, 0); }, Qt::QueuedConnection);
}

QString FakePlatform::ExecutableDirectory() const { return QFileInfo(executablePath).absolutePath(); }

QString FakePlatform::RunCommandLine(const QString& command) {
  calls << QStringLiteral("run ") + command;
  return runFailures.value(command);
}

void FakePlatform::OpenUrl(const QString& url) { calls << QStringLiteral("open ") + url; }

void FakePlatform::Beep() { calls << QStringLiteral("beep"); }

void FakePlatform::ShowNotification(const DesktopNotification& notification) {
  QStringList labels;
  for (const auto& action : notification.actions)
    labels << action.second;
  notifications << QStringList{notification.critical ? QStringLiteral("critical") : QString(),
                               notification.summary, notification.body, labels.join(QLatin1Char(','))}
                       .join(QLatin1Char('|'));
  lastNotification = notification;
}

void FakePlatform::WithdrawNotification() { notifications << QStringLiteral("withdraw"); }

void FakePlatform::InhibitIdle(const QString& reason) {
  idleInhibited = true;
  inhibitCalls << QStringLiteral("inhibit ") + reason;
}

void FakePlatform::UninhibitIdle() {
  idleInhibited = false;
  inhibitCalls << QStringLiteral("uninhibit");
}

} // namespace zarvo

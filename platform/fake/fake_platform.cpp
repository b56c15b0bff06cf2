#include "platform/fake/fake_platform.h"

#include <QFileInfo>

namespace zarvo {

void FakePlatform::EnableShutdownPrivilege() { calls << QStringLiteral("privilege"); }

void FakePlatform::ExitWindows(unsigned flags) { calls << QStringLiteral("exit %1").arg(flags); }

void FakePlatform::SetSystemPowerState(bool suspend, bool force) {
  calls << QStringLiteral("power %1%2")
               .arg(suspend ? QStringLiteral("suspend") : QStringLiteral("hibernate"),
                    force ? QStringLiteral(" force") : QString());
  // As logind does it: the sleep is announced, the machine sleeps and wakes (ticks may run in
  // between, and after waking), and the wake-up reaches the program only once this call has
  // returned.
  emit PowerBroadcast(PowerEvent::Suspend, 0);
  if (whileAsleep)
    whileAsleep();
  QMetaObject::invokeMethod(
      this, [this] { emit PowerBroadcast(PowerEvent::ResumeSuspend, 0); }, Qt::QueuedConnection);
}

QString FakePlatform::ExecutableDirectory() const { return QFileInfo(executablePath).absolutePath(); }

QString FakePlatform::RunCommandLine(const QString& commandLine) {
  calls << QStringLiteral("run ") + commandLine;
  return runFailures.value(commandLine);
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

#include "platform/fake/fake_platform.h"

#include <QFileInfo>

namespace zarvo {

void FakePlatform::EnableShutdownPrivilege() { calls << QStringLiteral("privilege"); }

void FakePlatform::ExitWindows(unsigned flags) { calls << QStringLiteral("exit %1").arg(flags); }

void FakePlatform::SetSystemPowerState(bool suspend, bool force) {
  calls << QStringLiteral("power %1%2")
               .arg(suspend ? QStringLiteral("suspend") : QStringLiteral("hibernate"),
                    force ? QStringLiteral(" force") : QString());
  if (whileAsleep)
    whileAsleep();
}

QString FakePlatform::ExecutableDirectory() const { return QFileInfo(executablePath).absolutePath(); }

void FakePlatform::RunCommandLine(const QString& commandLine) { calls << QStringLiteral("run ") + commandLine; }

void FakePlatform::OpenUrl(const QString& url) { calls << QStringLiteral("open ") + url; }

void FakePlatform::Beep() { calls << QStringLiteral("beep"); }

} // namespace zarvo

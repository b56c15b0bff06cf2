#include "platform/linux/linux_platform.h"

#include "platform/linux/command_launch.h"
#include "platform/linux/desktop_notifier.h"
#include "platform/linux/idle_inhibitor.h"
#include "platform/linux/logind_power.h"
#include "platform/linux/power_supply.h"
#include "platform/linux/upower_events.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace zarvo {

LinuxPlatform::LinuxPlatform(QObject* parent) : Platform(parent) {}

LinuxPlatform::~LinuxPlatform() = default;

LogindPower& LinuxPlatform::Power() {
  if (!power_) {
    power_ = std::make_unique<LogindPower>();
    connect(power_.get(), &LogindPower::PowerBroadcast, this, &Platform::PowerBroadcast);
  }
  return *power_;
}

void LinuxPlatform::WatchPowerEvents() {
  Power();
  if (!upower_) {
    upower_ = std::make_unique<UPowerEvents>();
    connect(upower_.get(), &UPowerEvents::PowerBroadcast, this, &Platform::PowerBroadcast);
  }
}

// Linux has no per-process shutdown privilege: polkit decides on each request.
void LinuxPlatform::EnableShutdownPrivilege() {}

void LinuxPlatform::ExitWindows(unsigned flags, PowerAnswered answered) {
  Power().ExitWindows(flags, std::move(answered));
}

void LinuxPlatform::SetSystemPowerState(bool suspend, bool force, PowerAnswered answered) {
  WatchPowerEvents();
  Power().SetSystemPowerState(suspend, force, std::move(answered));
}

void LinuxPlatform::CheckPowerAction(const QString& word, PowerCapabilityAnswered answered) {
  Power().CheckPowerAction(word, std::move(answered));
}

QString JoinCommandLine(const QString& executablePath, const QStringList& arguments) {
  QString line = QLatin1Char('"') + executablePath + QLatin1Char('"');
  for (const QString& a : arguments) {
    line += QLatin1Char(' ');
    if (a.contains(QLatin1Char(' ')) || a.isEmpty())
      line += QLatin1Char('"') + a + QLatin1Char('"');
    else
      line += a;
  }
  return line;
}

QStringList RawArguments(const QByteArray& cmdline) {
  QList<QByteArray> parts = cmdline.split('\0');
  if (!parts.isEmpty() && parts.constLast().isEmpty())
    parts.removeLast(); // every argument ends with a NUL
  QStringList arguments;
  for (const QByteArray& p : parts)
    arguments << QFile::decodeName(p);
  return arguments;
}

QString LinuxPlatform::CommandLine() const {
  // The arguments as the process was started with them: Qt takes the options it knows (-display,
  // -platform, ...) out of the list it keeps, /proc keeps them all.
  QStringList args;
  QFile cmdline(QStringLiteral("/proc/self/cmdline"));
  if (cmdline.open(QIODevice::ReadOnly))
    args = RawArguments(cmdline.readAll());
  else
    args = QCoreApplication::arguments();
  if (!args.isEmpty())
    args.removeFirst();
  return JoinCommandLine(ExecutablePath(), args);
}

QString LinuxPlatform::ExecutablePath() const {
  const QString path = QCoreApplication::applicationFilePath();
  return path.isEmpty() ? QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath() : path;
}

QString LinuxPlatform::ExecutableDirectory() const { return QFileInfo(ExecutablePath()).absolutePath(); }

QString LinuxPlatform::CurrentDirectory() const { return QDir::currentPath(); }

// The installed tree keeps its data at a fixed place relative to the binary (bin/../share/zarvo), so
// an installation under any prefix, an unpacked package and the build tree all find their own.
QString LinuxPlatform::DataDirectory() const {
  const QString beside = QDir::cleanPath(ExecutableDirectory() + QStringLiteral("/" ZARVO_DATA_FROM_BINDIR));
  if (QFileInfo(beside).isDir())
    return beside;
  // A binary copied out of its tree still finds the system's installation.
  const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("zarvo"), QStandardPaths::LocateDirectory);
  return installed.isEmpty() ? beside : installed;
}

bool LinuxPlatform::SupportsTransparency() const { return true; }

QString LinuxPlatform::RunCommandLine(const QString& commandLine) {
  return StartDetached(PlanCommandLine(commandLine, [](const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
  }));
}

void LinuxPlatform::OpenUrl(const QString& url) { QDesktopServices::openUrl(QUrl::fromUserInput(url)); }

void LinuxPlatform::Beep() { QApplication::beep(); }

PowerStatus LinuxPlatform::GetPowerStatus() const {
  return ReadPowerSupplyStatus(QStringLiteral("/sys/class/power_supply"));
}

void LinuxPlatform::ShowNotification(const DesktopNotification& notification) {
  if (!notifier_) {
    notifier_ = std::make_unique<DesktopNotifier>(QDBusConnection::sessionBus());
    connect(notifier_.get(), &DesktopNotifier::ActionInvoked, this, &Platform::NotificationAction);
  }
  notifier_->Show(notification);
}

void LinuxPlatform::WithdrawNotification() {
  if (notifier_)
    notifier_->Withdraw();
}

void LinuxPlatform::InhibitIdle(const QString& reason) {
  if (!inhibitor_)
    inhibitor_ = std::make_unique<IdleInhibitor>(QDBusConnection::sessionBus(), QDBusConnection::systemBus());
  inhibitor_->Inhibit(reason);
}

void LinuxPlatform::UninhibitIdle() {
  if (inhibitor_)
    inhibitor_->Uninhibit();
}

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<LinuxPlatform>(); }

bool DisplayAvailable() {
  // Qt's own platforms that need no display server (offscreen, minimal, vnc, ...) count as one.
  const QString qpa = qEnvironmentVariable("QT_QPA_PLATFORM");
  if (!qpa.isEmpty() && !qpa.startsWith(QLatin1String("xcb")) && !qpa.startsWith(QLatin1String("wayland")))
    return true;
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace zarvo

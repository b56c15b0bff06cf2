#include "platform/linux/power_refusal.h"

namespace zarvo {

QString NoSystemBusReason() {
  return QStringLiteral("the system's power service cannot be reached (there is no system bus)");
}

QString SleepNeverBeganReason() {
  return QStringLiteral("the system accepted the request but did not go to sleep");
}

QString LogindGoneReason() { return QStringLiteral("the system's power service (logind) stopped meanwhile"); }

QString NotAllowedReason(const QString& word) {
  Q_UNUSED(word);
  return QStringLiteral("the system's security policy does not allow it for this user");
}

QString NotAvailableReason(const QString& word) {
  if (word == QLatin1String("hibernate"))
    return QStringLiteral("hibernation is not available on this computer");
  if (word == QLatin1String("standby"))
    return QStringLiteral("stand-by is not available on this computer");
  return QStringLiteral("this computer does not support it");
}

QString NoSessionReason() {
  return QStringLiteral("no session manager and no login session of the system will take the request");
}

QString PlainPowerRefusal(const QDBusMessage& reply) {
  const QString name = reply.errorName();
  const auto is = [&name](const char* n) { return name == QLatin1String(n); };
  if (is("org.freedesktop.DBus.Error.AccessDenied") || is("org.freedesktop.login1.AccessDenied"))
    return QStringLiteral("the system's security policy does not allow it for this user");
  if (is("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"))
    return QStringLiteral(
        "it needs an administrator's password and no password prompt is running to ask for one");
  if (is("org.freedesktop.DBus.Error.ServiceUnknown") || is("org.freedesktop.DBus.Error.NameHasNoOwner") ||
      is("org.freedesktop.DBus.Error.Disconnected"))
    return QStringLiteral("the system's power service (logind) is not running");
  if (is("org.freedesktop.DBus.Error.NoReply") || is("org.freedesktop.DBus.Error.Timeout") ||
      is("org.freedesktop.DBus.Error.TimedOut"))
    return QStringLiteral("the system did not answer in time");
  if (is("org.freedesktop.login1.OperationInProgress"))
    return QStringLiteral("another shut-down or sleep is already under way");
  if (is("org.freedesktop.login1.SleepVerbNotSupported") || is("org.freedesktop.DBus.Error.NotSupported"))
    return QStringLiteral("this computer does not support it");
  if (is("org.freedesktop.login1.NoSuchSession") || is("org.freedesktop.login1.NoSessionForPID"))
    return QStringLiteral("the system does not know this login session");
  const QString detail = reply.errorMessage().trimmed();
  return detail.isEmpty() ? QStringLiteral("the system refused it")
                          : QStringLiteral("the system refused it: ") + detail;
}

} // namespace zarvo

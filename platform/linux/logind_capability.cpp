// Whether the system will carry out a power action, asked of logind (and, for a log-off, of the
// session bus) before the request is made.
#include "platform/linux/logind_names.h"
#include "platform/linux/logind_power.h"
#include "platform/linux/power_refusal.h"

#include <QDBusConnection>
#include <QStringList>

namespace zarvo {

namespace {

QString CanMethod(const QString& word) {
  if (word == QLatin1String("shutdown"))
    return QStringLiteral("CanPowerOff");
  if (word == QLatin1String("restart"))
    return QStringLiteral("CanReboot");
  if (word == QLatin1String("standby"))
    return QStringLiteral("CanSuspend");
  if (word == QLatin1String("hibernate"))
    return QStringLiteral("CanHibernate");
  return {};
}

// The session managers a log-off goes to first (see logind_logoff.cpp).
const char* const kSessionManagers[] = {"org.gnome.SessionManager", "org.kde.Shutdown", "org.kde.ksmserver",
                                        "org.xfce.SessionManager"};

} // namespace

PowerCapability CapabilityFromAnswer(const QString& word, const QString& answer) {
  if (answer == QLatin1String("yes"))
    return {};
  if (answer == QLatin1String("challenge"))
    return {PowerCapability::Answer::Challenge, {}};
  if (answer == QLatin1String("no"))
    return {PowerCapability::Answer::No, NotAllowedReason(word)};
  return {PowerCapability::Answer::No, NotAvailableReason(word)};
}

void LogindPower::CheckPowerAction(const QString& word, PowerCapabilityAnswered answered) {
  const QDBusConnection system = QDBusConnection::systemBus();
  if (word == QLatin1String("logoff")) {
    // A session manager that runs takes the log-off; otherwise logind ends the session, which needs
    // logind and a session to end.
    const QDBusConnection session = QDBusConnection::sessionBus();
    const QDBusMessage listNames = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    calls_.Call(
        session, listNames, logind::LookupTimeoutMs, [this, system, answered](const QDBusMessage& reply) {
          const QStringList names = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                                        ? reply.arguments().constFirst().toStringList()
                                        : QStringList();
          for (const char* manager : kSessionManagers)
            if (names.contains(QLatin1String(manager))) {
              answered({});
              return;
            }
          if (!system.isConnected()) {
            answered({PowerCapability::Answer::No, NoSystemBusReason()});
            return;
          }
          QDBusMessage lookup = LogindManagerCall(QStringLiteral("ListSessions"));
          calls_.Call(system, lookup, logind::LookupTimeoutMs, [answered](const QDBusMessage& sessions) {
            if (sessions.type() == QDBusMessage::ReplyMessage)
              answered({});
            else
              answered({PowerCapability::Answer::No, PlainPowerRefusal(sessions)});
          });
        });
    return;
  }
  const QString method = CanMethod(word);
  if (method.isEmpty()) {
    AnswerCapabilityLater(answered, {});
    return;
  }
  if (!system.isConnected()) {
    AnswerCapabilityLater(answered, {PowerCapability::Answer::No, NoSystemBusReason()});
    return;
  }
  QDBusMessage m = LogindManagerCall(method);
  m.setInteractiveAuthorizationAllowed(false);
  calls_.Call(system, m, logind::LookupTimeoutMs, [word, answered](const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
      answered({PowerCapability::Answer::No, PlainPowerRefusal(reply)});
      return;
    }
    answered(CapabilityFromAnswer(word, reply.arguments().constFirst().toString()));
  });
}

void LogindPower::AnswerCapabilityLater(const PowerCapabilityAnswered& answered,
                                        const PowerCapability& capability) {
  QMetaObject::invokeMethod(
      this, [answered, capability] { answered(capability); }, Qt::QueuedConnection);
}

} // namespace zarvo

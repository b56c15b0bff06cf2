// Log-off: the desktop's session manager when one runs (it closes the applications properly),
// otherwise logind ends the caller's own session.
#include "platform/linux/logind_names.h"
#include "platform/linux/logind_power.h"
#include "platform/linux/power_refusal.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDBusObjectPath>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace zarvo {

namespace {

// The log-off request of the first session manager found among the session bus's names, asking
// for no confirmation of its own; an invalid message when none of them runs.
QDBusMessage SessionManagerLogOff(const QStringList& names, bool force) {
  if (names.contains(QLatin1String("org.gnome.SessionManager"))) {
    // Mode 1 logs off without the dialog; mode 2 also ignores the applications' inhibitors.
    QDBusMessage m = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
        QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Logout"));
    m << quint32(force ? 2 : 1);
    return m;
  }
  if (names.contains(QLatin1String("org.kde.Shutdown"))) {
    // Plasma 6: logout() never asks; there is no forced variant.
    return QDBusMessage::createMethodCall(QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"),
                                          QStringLiteral("org.kde.Shutdown"), QStringLiteral("logout"));
  }
  if (names.contains(QLatin1String("org.kde.ksmserver"))) {
    // Plasma 5: (confirm: no, type: log off only, mode: try now / force now).
    QDBusMessage m = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.ksmserver"), QStringLiteral("/KSMServer"),
        QStringLiteral("org.kde.KSMServerInterface"), QStringLiteral("logout"));
    m << qint32(0) << qint32(0) << qint32(force ? 2 : 1);
    return m;
  }
  if (names.contains(QLatin1String("org.xfce.SessionManager"))) {
    // (show dialog: no, allow the applications to save: yes).
    QDBusMessage m = QDBusMessage::createMethodCall(
        QStringLiteral("org.xfce.SessionManager"), QStringLiteral("/org/xfce/SessionManager"),
        QStringLiteral("org.xfce.Session.Manager"), QStringLiteral("Logout"));
    m << false << true;
    return m;
  }
  return {};
}

// Errors that say the session manager is not (or no longer) there or does not speak this
// request. Any other error is its answer, e.g. a refusal while an application holds unsaved
// work; ending the session behind its back would lose that work.
bool SessionManagerAbsent(const QString& errorName) {
  static constexpr const char* absent[] = {
      "org.freedesktop.DBus.Error.ServiceUnknown",   "org.freedesktop.DBus.Error.NameHasNoOwner",
      "org.freedesktop.DBus.Error.UnknownMethod",    "org.freedesktop.DBus.Error.UnknownObject",
      "org.freedesktop.DBus.Error.UnknownInterface", "org.freedesktop.DBus.Error.InvalidArgs",
      "org.freedesktop.DBus.Error.Disconnected"};
  return std::any_of(std::begin(absent), std::end(absent),
                     [&](const char* name) { return errorName == QLatin1String(name); });
}

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9')
    return u - '0';
  if (u >= 'a' && u <= 'f')
    return u - 'a' + 10;
  if (u >= 'A' && u <= 'F')
    return u - 'A' + 10;
  return -1;
}

} // namespace

QString SessionIdFromObjectPath(const QString& path) {
  if (!path.startsWith(logind::SessionPathPrefix))
    return {};
  const QString label = path.mid(logind::SessionPathPrefix.size());
  // logind escapes every byte other than [A-Za-z0-9] as _XX, and writes "_" for an empty id.
  if (label == QLatin1String("_"))
    return {};
  QByteArray id;
  for (qsizetype i = 0; i < label.size(); ++i) {
    const QChar c = label.at(i);
    if (c == QLatin1Char('_')) {
      if (i + 2 >= label.size() || HexDigit(label.at(i + 1)) < 0 || HexDigit(label.at(i + 2)) < 0)
        return {}; // not an escape logind writes
      id.append(char(HexDigit(label.at(i + 1)) * 16 + HexDigit(label.at(i + 2))));
      i += 2;
    } else if (c.unicode() < 128 && c.isLetterOrNumber()) {
      id.append(char(c.unicode()));
    } else {
      return {};
    }
  }
  return QString::fromUtf8(id);
}

void LogindPower::LogOff(bool force, PowerAnswered answered) {
  QDBusConnection session = QDBusConnection::sessionBus();
  if (!session.isConnected()) {
    TerminateOwnSession(std::move(answered));
    return;
  }
  // Only a session manager that runs is asked: calling its name could otherwise start one.
  const QDBusMessage listNames = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
  calls_.Call(session, listNames, logind::LookupTimeoutMs,
              [this, session, force, answered](const QDBusMessage& reply) {
                QStringList names;
                if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                  names = reply.arguments().constFirst().toStringList();
                const QDBusMessage request = SessionManagerLogOff(names, force);
                if (request.type() != QDBusMessage::MethodCallMessage) {
                  TerminateOwnSession(answered);
                  return;
                }
                calls_.Call(session, request, logind::SessionManagerTimeoutMs,
                            [this, answered](const QDBusMessage& answer) {
                              if (answer.type() == QDBusMessage::ErrorMessage &&
                                  SessionManagerAbsent(answer.errorName()))
                                TerminateOwnSession(answered);
                              else if (answered)
                                answered(AnswerFromReply(answer));
                            });
              });
}

void LogindPower::TerminateOwnSession(PowerAnswered answered) {
  const QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) {
    AnswerLater(this, answered, {false, NoSystemBusReason()});
    return;
  }
  const auto report = [answered](const QDBusMessage& reply) {
    if (answered)
      answered(AnswerFromReply(reply));
  };
  QDBusMessage lookup = LogindManagerCall(QStringLiteral("GetSessionByPID"));
  lookup << quint32(QCoreApplication::applicationPid());
  calls_.Call(bus, lookup, logind::LookupTimeoutMs, [this, bus, report](const QDBusMessage& reply) {
    QString id;
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
      id = SessionIdFromObjectPath(reply.arguments().constFirst().value<QDBusObjectPath>().path());
    // A process that runs outside any session (started by a user service) still knows the
    // session it was started from.
    if (id.isEmpty())
      id = qEnvironmentVariable("XDG_SESSION_ID");
    if (!id.isEmpty()) {
      QDBusMessage terminate = LogindManagerCall(QStringLiteral("TerminateSession"));
      terminate << id;
      calls_.Call(bus, terminate, logind::PowerRequestTimeoutMs, report);
      return;
    }
    // Last resort: logind resolves "auto" to the caller's session or the user's display session.
    QDBusMessage terminate =
        QDBusMessage::createMethodCall(logind::Service, logind::SessionPathPrefix + QLatin1String("auto"),
                                       logind::SessionInterface, QStringLiteral("Terminate"));
    terminate.setInteractiveAuthorizationAllowed(true);
    calls_.Call(bus, terminate, logind::PowerRequestTimeoutMs, report);
  });
}

} // namespace zarvo

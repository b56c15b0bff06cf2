#include "platform/linux/idle_inhibitor.h"

#include "platform/linux/logind_names.h"
#include "project_info.h"

#include <QDBusMessage>

namespace zarvo {

namespace {

const QString kScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kSessionManagerService = QStringLiteral("org.gnome.SessionManager");
const QString kSessionManagerPath = QStringLiteral("/org/gnome/SessionManager");
// GNOME's inhibit flags: 8 holds off the session becoming idle (blanking, idle suspend).
constexpr quint32 kInhibitIdle = 8;
constexpr int kCallTimeoutMs = 5000;

QDBusMessage ScreenSaverCall(const QString& method) {
  return QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath, kScreenSaverService, method);
}

QDBusMessage SessionManagerCall(const QString& method) {
  return QDBusMessage::createMethodCall(kSessionManagerService, kSessionManagerPath, kSessionManagerService,
                                        method);
}

std::optional<quint32> Cookie(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return std::nullopt;
  return reply.arguments().constFirst().toUInt();
}

} // namespace

IdleInhibitor::IdleInhibitor(const QDBusConnection& session, const QDBusConnection& system, QObject* parent)
    : QObject(parent), session_(session), system_(system) {}

IdleInhibitor::~IdleInhibitor() {
  // The services also drop the grants of a client that leaves the bus; saying so is only quicker.
  if (screenSaverCookie_) {
    QDBusMessage m = ScreenSaverCall(QStringLiteral("UnInhibit"));
    m << *screenSaverCookie_;
    session_.send(m);
  }
  if (sessionManagerCookie_) {
    QDBusMessage m = SessionManagerCall(QStringLiteral("Uninhibit"));
    m << *sessionManagerCookie_;
    session_.send(m);
  }
}

int IdleInhibitor::HeldCount() const {
  return int(screenSaverCookie_.has_value()) + int(sessionManagerCookie_.has_value()) +
         int(logindLock_.isValid());
}

void IdleInhibitor::Inhibit(const QString& reason) {
  if (wanted_)
    return;
  wanted_ = true;
  const quint64 generation = ++generation_;
  const auto current = [this, generation] { return wanted_ && generation == generation_; };

  QDBusMessage screenSaver = ScreenSaverCall(QStringLiteral("Inhibit"));
  screenSaver << QStringLiteral(ZARVO_NAME) << reason;
  calls_.Call(session_, screenSaver, kCallTimeoutMs, [this, current](const QDBusMessage& reply) {
    const std::optional<quint32> cookie = Cookie(reply);
    if (!cookie)
      return;
    if (current()) {
      screenSaverCookie_ = cookie;
      return;
    }
    QDBusMessage m = ScreenSaverCall(QStringLiteral("UnInhibit"));
    m << *cookie;
    calls_.Call(session_, m, kCallTimeoutMs);
  });

  QDBusMessage sessionManager = SessionManagerCall(QStringLiteral("Inhibit"));
  sessionManager << QStringLiteral(ZARVO_APP_ID) << quint32(0) << reason << kInhibitIdle;
  calls_.Call(session_, sessionManager, kCallTimeoutMs, [this, current](const QDBusMessage& reply) {
    const std::optional<quint32> cookie = Cookie(reply);
    if (!cookie)
      return;
    if (current()) {
      sessionManagerCookie_ = cookie;
      return;
    }
    QDBusMessage m = SessionManagerCall(QStringLiteral("Uninhibit"));
    m << *cookie;
    calls_.Call(session_, m, kCallTimeoutMs);
  });

  QDBusMessage logindLock = QDBusMessage::createMethodCall(
      logind::Service, logind::Path, logind::ManagerInterface, QStringLiteral("Inhibit"));
  logindLock << QStringLiteral("idle") << QStringLiteral(ZARVO_NAME) << reason << QStringLiteral("block");
  calls_.Call(system_, logindLock, kCallTimeoutMs, [this, current](const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
      return;
    const auto fd = reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
    // A late grant is dropped with the reply, which closes the descriptor and so releases it.
    if (current() && fd.isValid())
      logindLock_ = fd;
  });
}

void IdleInhibitor::Uninhibit() {
  if (!wanted_)
    return;
  wanted_ = false;
  ++generation_;
  ReleaseHeld();
}

void IdleInhibitor::ReleaseHeld() {
  if (screenSaverCookie_) {
    QDBusMessage m = ScreenSaverCall(QStringLiteral("UnInhibit"));
    m << *screenSaverCookie_;
    calls_.Call(session_, m, kCallTimeoutMs);
    screenSaverCookie_.reset();
  }
  if (sessionManagerCookie_) {
    QDBusMessage m = SessionManagerCall(QStringLiteral("Uninhibit"));
    m << *sessionManagerCookie_;
    calls_.Call(session_, m, kCallTimeoutMs);
    sessionManagerCookie_.reset();
  }
  logindLock_ = QDBusUnixFileDescriptor();
}

} // namespace zarvo

#include "platform/linux/remote_control_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>

#include <limits>

namespace zarvo {

namespace {

// The running Zarvo answers from its event loop at once; a modal box it shows does not hold that up.
constexpr int kCallTimeoutMs = 20000;

QString ErrorName(RemoteRefusal::Kind kind) {
  switch (kind) {
  case RemoteRefusal::Kind::NotCounting: return QString::fromLatin1(kNotCountingError);
  case RemoteRefusal::Kind::Counting: return QString::fromLatin1(kCountingError);
  case RemoteRefusal::Kind::InvalidArgs: return QString::fromLatin1(kInvalidArgsError);
  default: return QStringLiteral("org.freedesktop.DBus.Error.Failed");
  }
}

RemoteRefusal::Kind KindOf(const QString& errorName) {
  if (errorName == QLatin1String(kNotCountingError))
    return RemoteRefusal::Kind::NotCounting;
  if (errorName == QLatin1String(kCountingError))
    return RemoteRefusal::Kind::Counting;
  if (errorName == QLatin1String(kInvalidArgsError))
    return RemoteRefusal::Kind::InvalidArgs;
  // Nobody owns the name (or it went away while asked).
  if (errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
      errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
    return RemoteRefusal::Kind::NoInstance;
  return RemoteRefusal::Kind::Failed;
}

QString MethodName(RemoteCall::Method method) {
  switch (method) {
  case RemoteCall::Method::Start: return QStringLiteral("Start");
  case RemoteCall::Method::Stop: return QStringLiteral("Stop");
  case RemoteCall::Method::Postpone: return QStringLiteral("Postpone");
  case RemoteCall::Method::Status: return QStringLiteral("GetState");
  case RemoteCall::Method::Activate: return QStringLiteral("Activate");
  }
  return {};
}

} // namespace

RemoteControlObject::RemoteControlObject(RemoteControl& control) : control_(control) {
  connect(&control_, &RemoteControl::StateChanged, this, [this] {
    const CountdownStatus s = control_.Status();
    emit StateChanged(s.running, s.mode, s.target, s.remainingSeconds, s.actions);
  });
  connect(&control_, &RemoteControl::Expired, this, &RemoteControlObject::Expired);
}

void RemoteControlObject::Answer(const RemoteRefusal& refusal) {
  if (refusal && calledFromDBus())
    sendErrorReply(ErrorName(refusal.kind), refusal.text);
}

void RemoteControlObject::Guarded(const std::function<RemoteRefusal()>& request) {
  // An error raised while carrying out a request fails that request; the program goes on.
  try {
    Answer(request());
  } catch (const std::exception& e) {
    Answer({RemoteRefusal::Kind::Failed, QString::fromLocal8Bit(e.what())});
  } catch (...) {
    Answer({RemoteRefusal::Kind::Failed, QStringLiteral("an unexpected error")});
  }
}

void RemoteControlObject::Start(const QString& mode, const QString& time,
                                const QMap<QString, QString>& actions, bool replace) {
  Guarded([&] { return control_.Start(mode, time, actions, replace); });
}

void RemoteControlObject::Stop() {
  Guarded([&] { return control_.Stop(); });
}

void RemoteControlObject::Postpone(uint seconds) {
  Guarded([&] { return control_.Postpone(seconds); });
}

bool RemoteControlObject::GetState(QString& mode, QString& target, uint& remaining, QStringList& actions) {
  const CountdownStatus s = control_.Status();
  mode = s.mode;
  target = s.target;
  remaining = s.remainingSeconds;
  actions = s.actions;
  return s.running;
}

void RemoteControlObject::Activate() {
  Guarded([&] {
    control_.Activate();
    return RemoteRefusal{};
  });
}

InstanceRole PublishRemoteControl(RemoteControl& control, std::unique_ptr<QObject>& publication) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected())
    return InstanceRole::Alone;
  qDBusRegisterMetaType<QMap<QString, QString>>();
  // The object is there before the name: a caller that finds the name finds the object too. Calls
  // are answered from the event loop, once the windows exist.
  auto object = std::make_unique<RemoteControlObject>(control);
  const QString path = QString::fromLatin1(kRemotePath);
  if (!bus.registerObject(path, object.get(),
                          QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals))
    return InstanceRole::Alone;
  if (bus.registerService(QString::fromLatin1(kRemoteService))) {
    publication = std::move(object);
    return InstanceRole::Own;
  }
  bus.unregisterObject(path);
  // Refused because another Zarvo holds the name; a bus that refuses it for another reason leaves
  // this one on its own, as without a bus.
  const QDBusReply<bool> owned = bus.interface()->isServiceRegistered(QString::fromLatin1(kRemoteService));
  return owned.isValid() && owned.value() ? InstanceRole::Another : InstanceRole::Alone;
}

RemoteAnswer CallRunningZarvo(const RemoteCall& call) {
  RemoteAnswer answer;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    answer.refusal = {RemoteRefusal::Kind::NoInstance, QStringLiteral("there is no session bus")};
    return answer;
  }
  qDBusRegisterMetaType<QMap<QString, QString>>();
  QDBusMessage m =
      QDBusMessage::createMethodCall(QString::fromLatin1(kRemoteService), QString::fromLatin1(kRemotePath),
                                     QString::fromLatin1(kRemoteInterface), MethodName(call.method));
  if (call.method == RemoteCall::Method::Start)
    m << call.mode << call.time << QVariant::fromValue(call.actions) << call.replace;
  else if (call.method == RemoteCall::Method::Postpone)
    m << static_cast<uint>(qBound<qint64>(0, call.seconds, std::numeric_limits<uint>::max()));
  const QDBusMessage reply = bus.call(m, QDBus::Block, kCallTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage) {
    answer.refusal = {KindOf(reply.errorName()), reply.errorMessage()};
    return answer;
  }
  const QList<QVariant> values = reply.arguments();
  if (call.method == RemoteCall::Method::Status) {
    if (values.size() != 5) {
      answer.refusal = {RemoteRefusal::Kind::Failed, QStringLiteral("its answer could not be read")};
      return answer;
    }
    answer.status.running = values[0].toBool();
    answer.status.mode = values[1].toString();
    answer.status.target = values[2].toString();
    answer.status.remainingSeconds = values[3].toUInt();
    answer.status.actions = values[4].toStringList();
  }
  return answer;
}

} // namespace zarvo

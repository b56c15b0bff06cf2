#include "tests/support/dbus_mock.h"

#include "tests/support/test_support.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QTest>

namespace zarvo::test {

DBusMock::DBusMock(QDBusConnection bus, QString service)
    : bus_(std::move(bus)), service_(std::move(service)) {}

DBusMock::~DBusMock() {
  if (process_.state() != QProcess::NotRunning) {
    process_.terminate();
    if (!process_.waitForFinished(5000))
      process_.kill();
    process_.waitForFinished(5000);
  }
  // The bus drops the name only once it notices the process has gone; a mock started next under
  // the same name, or a program that looks for the service, must not find this one's name there.
  WaitUntil([this] { return !bus_.isConnected() || !bus_.interface()->isServiceRegistered(service_); },
            10000);
}

void DBusMock::Kill() {
  process_.kill();
  process_.waitForFinished(5000);
}

bool DBusMock::Start(const QStringList& arguments) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.setStandardOutputFile(QProcess::nullDevice());
  process_.start(SystemPython(), QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
  if (!process_.waitForStarted(5000))
    return false;
  // Ready once the name on the bus is this process's; a mock that ends early is no mock.
  const auto owned = [this] {
    return bus_.interface()->servicePid(service_).value() == quint32(process_.processId());
  };
  WaitUntil([&] { return process_.state() == QProcess::NotRunning || owned(); }, 30000);
  return process_.state() != QProcess::NotRunning && owned();
}

QDBusMessage DBusMock::Control(const QString& path, const QString& method, const QVariantList& args) const {
  QDBusMessage m =
      QDBusMessage::createMethodCall(service_, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
  m.setArguments(args);
  // Long enough to outlast a method the test made slow on purpose: the mock answers one call at a time.
  return bus_.call(m, QDBus::Block, 45000);
}

void DBusMock::EmitBool(const QString& path, const QString& interface, const QString& name,
                        bool value) const {
  QDBusMessage m = QDBusMessage::createMethodCall(service_, path, QStringLiteral("org.freedesktop.DBus.Mock"),
                                                  QStringLiteral("EmitSignal"));
  m << interface << name << QStringLiteral("b") << QVariant::fromValue(QVariantList{value});
  bus_.asyncCall(m);
}

QDBusMessage DBusMock::SetProperty(const QString& path, const QString& interface, const QString& name,
                                   const QVariant& value) const {
  QDBusMessage m = QDBusMessage::createMethodCall(
      service_, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
  m << interface << name << QVariant::fromValue(QDBusVariant(value));
  return bus_.call(m, QDBus::Block, 20000);
}

bool DBusMock::AddMethod(const QString& path, const QString& interface, const QString& name,
                         const QString& in, const QString& out, const QString& code) const {
  return Control(path, QStringLiteral("AddMethod"), {interface, name, in, out, code}).type() ==
         QDBusMessage::ReplyMessage;
}

bool DBusMock::EmitSignal(const QString& path, const QString& interface, const QString& name,
                          const QString& signature, const QVariantList& args) const {
  return Control(path, QStringLiteral("EmitSignal"), {interface, name, signature, QVariant::fromValue(args)})
             .type() == QDBusMessage::ReplyMessage;
}

namespace {

QVariant Plain(const QVariant& value) {
  if (value.metaType() != QMetaType::fromType<QDBusArgument>())
    return value;
  const QDBusArgument arg = value.value<QDBusArgument>();
  if (arg.currentType() == QDBusArgument::MapType)
    return qdbus_cast<QVariantMap>(arg);
  if (arg.currentSignature() == QLatin1String("as"))
    return qdbus_cast<QStringList>(arg);
  return value;
}

} // namespace

QList<QVariantList> DBusMock::Calls(const QString& path, const QString& method) const {
  const QDBusMessage r = Control(path, QStringLiteral("GetMethodCalls"), {method});
  QList<QVariantList> calls;
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return calls;
  const QDBusArgument list = r.arguments().constFirst().value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    quint64 time = 0;
    QVariantList args;
    list.beginStructure();
    list >> time;
    list.beginArray();
    while (!list.atEnd()) {
      QDBusVariant v;
      list >> v;
      args << Plain(v.variant());
    }
    list.endArray();
    list.endStructure();
    calls << args;
  }
  list.endArray();
  return calls;
}

QStringList DBusMock::CallLines(const QString& path) const {
  const QDBusMessage r = Control(path, QStringLiteral("GetCalls"), {});
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return {QStringLiteral("GetCalls failed: ") + r.errorMessage()};
  QStringList calls;
  const QDBusArgument list = r.arguments().constFirst().value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    quint64 time = 0;
    QString method;
    QStringList args;
    list.beginStructure();
    list >> time >> method;
    list.beginArray();
    while (!list.atEnd()) {
      QDBusVariant v;
      list >> v;
      const QVariant value = v.variant();
      args << (value.metaType().id() == QMetaType::QString
                   ? QLatin1Char('"') + value.toString() + QLatin1Char('"')
                   : value.toString());
    }
    list.endArray();
    list.endStructure();
    calls << method + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
  }
  list.endArray();
  return calls;
}

bool DBusMock::ClearCalls(const QString& path) const {
  return Control(path, QStringLiteral("ClearCalls"), {}).type() == QDBusMessage::ReplyMessage;
}

MockLogind::MockLogind() : DBusMock(QDBusConnection::systemBus(), QString::fromLatin1(kService)) {}

bool MockLogind::Start(const QStringList& arguments) {
  return DBusMock::Start(
      QStringList{QStringLiteral("--system"), QStringLiteral("--template"), QStringLiteral("logind")} +
      arguments);
}

bool MockLogind::AnnounceSleeps() const {
  const QString manager = QString::fromLatin1(kManager);
  for (const char* method : {"Suspend", "Hibernate"})
    if (!AddMethod(QString::fromLatin1(kPath), manager, QLatin1String(method), QStringLiteral("b"), QString(),
                   QStringLiteral("self.EmitSignal('%1', 'PrepareForSleep', 'b', [True])").arg(manager)))
      return false;
  return true;
}

QStringList MockLogind::ManagerCalls() const { return CallLines(QString::fromLatin1(kPath)); }
bool MockLogind::ClearManagerCalls() const { return ClearCalls(QString::fromLatin1(kPath)); }

bool MockLogind::EmitPrepareForSleep(bool starting) const {
  return EmitSignal(QString::fromLatin1(kPath), QString::fromLatin1(kManager),
                    QStringLiteral("PrepareForSleep"), QStringLiteral("b"), {starting});
}

} // namespace zarvo::test

#include "tests/support/dbus_mock.h"

#include "tests/support/test_support.h"

#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QTest>

namespace zarvo::test {

DBusMock::DBusMock(QDBusConnection bus, QString service)
    : bus_(std::move(bus)), service_(std::move(service)) {}

DBusMock::~DBusMock() {
  if (process_.state() == QProcess::NotRunning)
    return;
  process_.terminate();
  if (!process_.waitForFinished(5000))
    process_.kill();
  process_.waitForFinished(5000);
}

bool DBusMock::Start(const QStringList& arguments) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.setStandardOutputFile(QProcess::nullDevice());
  process_.start(SystemPython(), QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
  if (!process_.waitForStarted(5000))
    return false;
  QElapsedTimer t;
  t.start();
  while (!bus_.interface()->isServiceRegistered(service_)) {
    if (process_.state() == QProcess::NotRunning || t.hasExpired(30000))
      return false;
    QTest::qWait(20);
  }
  return true;
}

QDBusMessage DBusMock::Control(const QString& path, const QString& method, const QVariantList& args) const {
  QDBusMessage m =
      QDBusMessage::createMethodCall(service_, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
  m.setArguments(args);
  return bus_.call(m, QDBus::Block, 20000);
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

} // namespace zarvo::test

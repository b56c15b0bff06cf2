// One python3-dbusmock service on the test's private bus, started and stopped by the test.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QVariantList>

namespace zarvo::test {

class DBusMock {
public:
  DBusMock(QDBusConnection bus, QString service);
  ~DBusMock(); // stops the mock

  // Starts `python3 -m dbusmock <arguments>` and waits until `service` is on the bus.
  bool Start(const QStringList& arguments);

  // A call on the mock's control interface (org.freedesktop.DBus.Mock) at `path`.
  QDBusMessage Control(const QString& path, const QString& method, const QVariantList& args) const;
  // Emits a signal with one Boolean argument from `path`, without waiting for the mock's answer.
  void EmitBool(const QString& path, const QString& interface, const QString& name, bool value) const;
  // Sets a property through org.freedesktop.DBus.Properties.Set, which makes the mock announce the
  // change with PropertiesChanged. Returns the mock's answer.
  QDBusMessage SetProperty(const QString& path, const QString& interface, const QString& name,
                           const QVariant& value) const;

private:
  QDBusConnection bus_;
  QString service_;
  QProcess process_;
};

} // namespace zarvo::test

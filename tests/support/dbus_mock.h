// One python3-dbusmock service on the test's private bus, started and stopped by the test.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QProcess>
#include <QString>
#include <QVariantList>

namespace zarvo::test {

class DBusMock {
public:
  DBusMock(QDBusConnection bus, QString service);
  ~DBusMock(); // stops the mock

  // Starts `python3 -m dbusmock <arguments>` and waits until this process owns `service` (not a
  // mock of an earlier test that is still leaving the bus).
  bool Start(const QStringList& arguments);

  // A call on the mock's control interface (org.freedesktop.DBus.Mock) at `path`.
  QDBusMessage Control(const QString& path, const QString& method, const QVariantList& args) const;
  // Emits a signal with one Boolean argument from `path`, without waiting for the mock's answer.
  void EmitBool(const QString& path, const QString& interface, const QString& name, bool value) const;
  // Sets a property through org.freedesktop.DBus.Properties.Set, which makes the mock announce the
  // change with PropertiesChanged. Returns the mock's answer.
  QDBusMessage SetProperty(const QString& path, const QString& interface, const QString& name,
                           const QVariant& value) const;
  // Adds a method to the object at `path` (AddMethod of the control interface); true on success.
  bool AddMethod(const QString& path, const QString& interface, const QString& name, const QString& in,
                 const QString& out, const QString& code) const;
  // Emits a signal with any arguments from `path` and waits until the mock has sent it.
  bool EmitSignal(const QString& path, const QString& interface, const QString& name, const QString& signature,
                  const QVariantList& args) const;
  // The arguments of every call of `method` that the object at `path` received, oldest first. Plain
  // values come as themselves, string arrays as QStringList, dictionaries as QVariantMap.
  QList<QVariantList> Calls(const QString& path, const QString& method) const;

private:
  QDBusConnection bus_;
  QString service_;
  QProcess process_;
};

} // namespace zarvo::test

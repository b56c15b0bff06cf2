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
  // Ends the mock at once, as a service that crashes; its name leaves the bus soon after.
  void Kill();

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
  bool EmitSignal(const QString& path, const QString& interface, const QString& name,
                  const QString& signature, const QVariantList& args) const;
  // The arguments of every call of `method` that the object at `path` received, oldest first. Plain
  // values come as themselves, string arrays as QStringList, dictionaries as QVariantMap.
  QList<QVariantList> Calls(const QString& path, const QString& method) const;
  // Every call the object at `path` received, oldest first, as "Method(arg, ...)", texts in double
  // quotes; a line that says what went wrong when the mock does not answer.
  QStringList CallLines(const QString& path) const;
  bool ClearCalls(const QString& path) const;

private:
  QDBusConnection bus_;
  QString service_;
  QProcess process_;
};

// logind as python3-dbusmock's template plays it, on the system bus.
class MockLogind : public DBusMock {
public:
  static constexpr const char* kService = "org.freedesktop.login1";
  static constexpr const char* kPath = "/org/freedesktop/login1";
  static constexpr const char* kManager = "org.freedesktop.login1.Manager";

  MockLogind();
  // Starts the template (with `arguments` added, such as "-l <log file>").
  bool Start(const QStringList& arguments = {});
  // Suspend and Hibernate announce the sleep (PrepareForSleep true) before they answer, as logind does.
  bool AnnounceSleeps() const;
  // The manager's calls, oldest first, as CallLines gives them; and forgetting them.
  QStringList ManagerCalls() const;
  bool ClearManagerCalls() const;
  // PrepareForSleep from the manager: true as a sleep begins, false at the wake-up.
  bool EmitPrepareForSleep(bool starting) const;
};

} // namespace zarvo::test

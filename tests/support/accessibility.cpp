#include "tests/support/accessibility.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>
#include <QPair>

namespace zarvo::test {

namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
constexpr int kCallTimeoutMs = 5000;
constexpr int kMaxObjects = 2000;

QDBusConnection AccessibilityBus() {
  const QDBusMessage r = QDBusConnection::sessionBus().call(
      QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                     QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")),
      QDBus::Block, kCallTimeoutMs);
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return QDBusConnection(QString());
  return QDBusConnection::connectToBus(r.arguments().constFirst().toString(), QStringLiteral("zarvo-a11y"));
}

QString Name(const QDBusConnection& bus, const QString& service, const QString& path) {
  QDBusMessage m = QDBusMessage::createMethodCall(
      service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  m << kAccessible << QStringLiteral("Name");
  const QDBusMessage r = bus.call(m, QDBus::Block, kCallTimeoutMs);
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return {};
  return r.arguments().constFirst().value<QDBusVariant>().variant().toString();
}

// The text of an object with the Text interface; empty for others.
QString Contents(const QDBusConnection& bus, const QString& service, const QString& path) {
  QDBusMessage m = QDBusMessage::createMethodCall(service, path, QStringLiteral("org.a11y.atspi.Text"),
                                                  QStringLiteral("GetText"));
  m << 0 << -1;
  const QDBusMessage r = bus.call(m, QDBus::Block, kCallTimeoutMs);
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return {};
  return r.arguments().constFirst().toString();
}

QList<QPair<QString, QString>> Children(const QDBusConnection& bus, const QString& service,
                                        const QString& path) {
  const QDBusMessage r =
      bus.call(QDBusMessage::createMethodCall(service, path, kAccessible, QStringLiteral("GetChildren")),
               QDBus::Block, kCallTimeoutMs);
  QList<QPair<QString, QString>> children;
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return children;
  const QDBusArgument list = r.arguments().constFirst().value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    QString childService;
    QDBusObjectPath childPath;
    list.beginStructure();
    list >> childService >> childPath;
    list.endStructure();
    children.append({childService, childPath.path()});
  }
  list.endArray();
  return children;
}

} // namespace

QStringList AccessibleNames(const QString& application, bool contents, const QString& window) {
  QDBusConnection bus = AccessibilityBus();
  QStringList names;
  if (bus.isConnected()) {
    for (const QString& service : bus.interface()->registeredServiceNames().value()) {
      if (!service.startsWith(QLatin1Char(':')) || Name(bus, service, kRoot) != application)
        continue;
      QList<QPair<QString, QString>> pending{{service, kRoot}};
      if (!window.isNull()) {
        names << application;
        pending = Children(bus, service, kRoot);
        pending.removeIf([&](const auto& child) { return Name(bus, child.first, child.second) != window; });
      }
      int visited = 0;
      while (!pending.isEmpty() && visited++ < kMaxObjects) {
        const auto [s, p] = pending.takeFirst();
        names << Name(bus, s, p);
        if (contents)
          if (const QString text = Contents(bus, s, p); !text.isEmpty())
            names << text;
        pending = Children(bus, s, p) + pending;
      }
      break;
    }
  }
  QDBusConnection::disconnectFromBus(QStringLiteral("zarvo-a11y"));
  return names;
}

} // namespace zarvo::test

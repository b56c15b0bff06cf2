#include "tests/support/tray_host.h"

#include "tests/support/test_support.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QTest>

namespace zarvo::test {

namespace {

const QString WatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString ItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

QDBusMessage GetProperty(const QString& service, const QString& path, const QString& interface,
                         const QString& name) {
  QDBusMessage m = QDBusMessage::createMethodCall(
      service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  m << interface << name;
  // The item may live in this very process: its answer needs this thread's event loop.
  return QDBusConnection::sessionBus().call(m, QDBus::BlockWithGui, 20000);
}

// "bus name/object path" split in two.
std::pair<QString, QString> Split(const QString& item) {
  const qsizetype slash = item.indexOf(QLatin1Char('/'));
  return {item.left(slash), item.mid(slash)};
}

} // namespace

TrayHost::~TrayHost() {
  if (process_.state() == QProcess::NotRunning)
    return;
  process_.terminate();
  if (!process_.waitForFinished(5000))
    process_.kill();
  process_.waitForFinished(5000);
}

bool TrayHost::Start() {
  process_.setProcessChannelMode(QProcess::ForwardedChannels);
  process_.start(SystemPython(), {SourceDir() + QStringLiteral("/tests/support/sni_watcher.py")});
  if (!process_.waitForStarted(5000))
    return false;
  const auto registered = [] {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(WatcherName).value();
  };
  WaitUntil([&] { return process_.state() == QProcess::NotRunning || registered(); }, 30000);
  return process_.state() != QProcess::NotRunning && registered();
}

QStringList TrayHost::Items() const {
  const QDBusMessage r = GetProperty(WatcherName, QStringLiteral("/StatusNotifierWatcher"), WatcherName,
                                     QStringLiteral("RegisteredStatusNotifierItems"));
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return {QStringLiteral("watcher did not answer: ") + r.errorMessage()};
  return r.arguments().constFirst().value<QDBusVariant>().variant().toStringList();
}

QString TrayHost::ToolTipTitle(const QString& item) const {
  const auto [service, path] = Split(item);
  const QDBusMessage r = GetProperty(service, path, ItemInterface, QStringLiteral("ToolTip"));
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return QStringLiteral("no ToolTip: ") + r.errorMessage();
  // (icon name, pixmaps a(iiay), title, description)
  const QDBusArgument tip = r.arguments().constFirst().value<QDBusVariant>().variant().value<QDBusArgument>();
  QString iconName, title, description;
  tip.beginStructure();
  tip >> iconName;
  tip.beginArray();
  while (!tip.atEnd()) {
    int w = 0, h = 0;
    QByteArray pixels;
    tip.beginStructure();
    tip >> w >> h >> pixels;
    tip.endStructure();
  }
  tip.endArray();
  tip >> title >> description;
  tip.endStructure();
  return title;
}

QVariant TrayHost::Property(const QString& item, const QString& name) const {
  const auto [service, path] = Split(item);
  const QDBusMessage r = GetProperty(service, path, ItemInterface, name);
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
    return {};
  return r.arguments().constFirst().value<QDBusVariant>().variant();
}

QDBusMessage TrayHost::Call(const QString& item, const QString& method, int x, int y) const {
  const auto [service, path] = Split(item);
  QDBusMessage m = QDBusMessage::createMethodCall(service, path, ItemInterface, method);
  m << x << y;
  return QDBusConnection::sessionBus().call(m, QDBus::BlockWithGui, 20000);
}

} // namespace zarvo::test

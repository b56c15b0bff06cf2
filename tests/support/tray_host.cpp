#include "tests/support/tray_host.h"

#include "tests/support/test_support.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QTest>

namespace zarvo::test {

namespace {

const QString WatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString ItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

// A call answered while this thread's event loop runs: the item may live in this very process.
// (Qt's own BlockWithGui call can miss an answer that comes before it starts listening, and then
// waits for good.)
QDBusMessage CallWithEvents(const QDBusMessage& m) {
  constexpr int kTimeoutMs = 20000;
  const QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(m, kTimeoutMs);
  if (!QTest::qWaitFor([&] { return call.isFinished(); }, kTimeoutMs + 5000))
    return QDBusMessage::createError(QStringLiteral("org.zarvo.Test.NoAnswer"), QStringLiteral("no answer"));
  return call.reply();
}

QDBusMessage GetProperty(const QString& service, const QString& path, const QString& interface,
                         const QString& name) {
  QDBusMessage m = QDBusMessage::createMethodCall(
      service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  m << interface << name;
  return CallWithEvents(m);
}

// "bus name/object path" split in two.
std::pair<QString, QString> Split(const QString& item) {
  const qsizetype slash = item.indexOf(QLatin1Char('/'));
  return {item.left(slash), item.mid(slash)};
}

const QString MenuInterface = QStringLiteral("com.canonical.dbusmenu");

// (id, properties, children as variants of the same structure)
TrayMenuEntry ReadEntry(const QDBusArgument& arg) {
  TrayMenuEntry e;
  QVariantMap properties;
  arg.beginStructure();
  arg >> e.id >> properties;
  arg.beginArray();
  while (!arg.atEnd()) {
    QDBusVariant child;
    arg >> child;
    e.children << ReadEntry(child.variant().value<QDBusArgument>());
  }
  arg.endArray();
  arg.endStructure();
  if (properties.value(QStringLiteral("type")).toString() != QLatin1String("separator"))
    e.label = properties.value(QStringLiteral("label")).toString();
  e.toggleType = properties.value(QStringLiteral("toggle-type")).toString();
  e.toggleState = properties.value(QStringLiteral("toggle-state"), -1).toInt();
  e.enabled = properties.value(QStringLiteral("enabled"), true).toBool();
  return e;
}

} // namespace

const TrayMenuEntry* TrayMenuEntry::Find(const QStringList& labels) const {
  if (labels.isEmpty())
    return this;
  for (const TrayMenuEntry& child : children)
    if (child.label == labels.first())
      return child.Find(labels.mid(1));
  return nullptr;
}

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
  return CallWithEvents(m);
}

TrayMenuEntry TrayHost::Menu(const QString& item, QString* error) const {
  const QString service = Split(item).first;
  const QString path = Property(item, QStringLiteral("Menu")).value<QDBusObjectPath>().path();
  if (path.isEmpty() || path == QLatin1String("/NO_DBUSMENU")) {
    *error = QStringLiteral("the item exports no menu");
    return {};
  }
  // A tray announces that it is about to show the menu, then reads the whole of it.
  QDBusMessage show =
      QDBusMessage::createMethodCall(service, path, MenuInterface, QStringLiteral("AboutToShow"));
  show << 0;
  CallWithEvents(show);
  QDBusMessage m = QDBusMessage::createMethodCall(service, path, MenuInterface, QStringLiteral("GetLayout"));
  m << 0 << -1 << QStringList();
  const QDBusMessage r = CallWithEvents(m);
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().size() < 2) {
    *error = QStringLiteral("GetLayout failed: ") + r.errorMessage();
    return {};
  }
  return ReadEntry(r.arguments().at(1).value<QDBusArgument>());
}

QDBusMessage TrayHost::ClickMenuEntry(const QString& item, int id) const {
  const QString service = Split(item).first;
  const QString path = Property(item, QStringLiteral("Menu")).value<QDBusObjectPath>().path();
  QDBusMessage m = QDBusMessage::createMethodCall(service, path, MenuInterface, QStringLiteral("Event"));
  m << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
  return CallWithEvents(m);
}

} // namespace zarvo::test

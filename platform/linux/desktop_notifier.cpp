#include "platform/linux/desktop_notifier.h"

#include "project_info.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QVariantMap>

namespace zarvo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The server answers at once; one that hangs must not keep a stale request alive for long.
constexpr int kCallTimeoutMs = 5000;

// The "image-data" hint: width, height, row stride, alpha, bits per sample, channels, RGBA bytes.
struct ImageData {
  QImage image;
};

QDBusArgument& operator<<(QDBusArgument& arg, const ImageData& data) {
  const QImage rgba = data.image.convertToFormat(QImage::Format_RGBA8888);
  arg.beginStructure();
  arg << qint32(rgba.width()) << qint32(rgba.height()) << qint32(rgba.bytesPerLine()) << true << qint32(8)
      << qint32(4)
      << QByteArray(reinterpret_cast<const char*>(rgba.constBits()),
                    static_cast<qsizetype>(rgba.sizeInBytes()));
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, ImageData&) { return arg; }

} // namespace

} // namespace zarvo

Q_DECLARE_METATYPE(zarvo::ImageData)

namespace zarvo {

DesktopNotifier::DesktopNotifier(const QDBusConnection& bus, QObject* parent) : QObject(parent), bus_(bus) {
  qDBusRegisterMetaType<ImageData>();
  bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
               SLOT(OnActionInvoked(quint32, QString)));
  bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
               SLOT(OnNotificationClosed(quint32, quint32)));
}

DesktopNotifier::~DesktopNotifier() {
  if (id_ != 0 && bus_.isConnected()) {
    QDBusMessage m =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
    m << id_;
    bus_.call(m, QDBus::Block, 1000);
  }
}

void DesktopNotifier::Show(const DesktopNotification& notification) {
  wanted_ = true;
  const quint64 generation = ++generation_;
  // Asked afresh each time: the desktop's server may have been replaced since the last warning.
  const QDBusMessage m =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
  calls_.Call(bus_, m, kCallTimeoutMs, [this, notification, generation](const QDBusMessage& reply) {
    if (generation != generation_ || reply.type() != QDBusMessage::ReplyMessage ||
        reply.arguments().isEmpty())
      return;
    Notify(notification, reply.arguments().constFirst().toStringList(), generation);
  });
}

void DesktopNotifier::Notify(const DesktopNotification& notification, const QStringList& capabilities,
                             quint64 generation) {
  QStringList actions;
  if (capabilities.contains(QLatin1String("actions")))
    for (const auto& [key, label] : notification.actions)
      actions << key << label;
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(notification.critical ? 2 : 1)));
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral(ZARVO_APP_ID));
  if (!notification.icon.isNull())
    hints.insert(QStringLiteral("image-data"), QVariant::fromValue(ImageData{notification.icon}));
  // A server that keeps notifications keeps this one until the program takes it down, also after a
  // button press: the program does so once it has acted on the answer.
  if (notification.persistent && capabilities.contains(QLatin1String("persistence")))
    hints.insert(QStringLiteral("resident"), true);
  // 0: never expires; -1: the server's own delay.
  const qint32 expireTimeout = notification.persistent ? 0 : -1;

  const quint32 replaces = id_;
  QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  m << QStringLiteral(ZARVO_NAME) << replaces << QStringLiteral(ZARVO_APP_ID) << notification.summary
    << notification.body << actions << hints << expireTimeout;
  calls_.Call(bus_, m, kCallTimeoutMs, [this, replaces, generation](const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
      return;
    const quint32 id = reply.arguments().constFirst().toUInt();
    if (generation == generation_ && wanted_) {
      id_ = id;
      return;
    }
    // Overtaken by a later request: take this one down unless it is the very notification a later
    // Show is replacing.
    if (!wanted_ || id != replaces)
      Close(id);
  });
}

void DesktopNotifier::Withdraw() {
  wanted_ = false;
  ++generation_;
  if (id_ != 0)
    Close(id_);
  id_ = 0;
}

void DesktopNotifier::Close(quint32 id) {
  QDBusMessage m =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
  m << id;
  calls_.Call(bus_, m, kCallTimeoutMs);
}

void DesktopNotifier::OnActionInvoked(quint32 id, const QString& key) {
  if (id != 0 && id == id_ && wanted_)
    emit ActionInvoked(key);
}

void DesktopNotifier::OnNotificationClosed(quint32 id, quint32) {
  // Dismissed by the user or expired: the next Show opens a new one.
  if (id == id_)
    id_ = 0;
}

} // namespace zarvo

// Desktop notifications over org.freedesktop.Notifications: one notification of this program at a
// time, replaced in place, taken down on request, its buttons reported back.
#pragma once

#include "platform/linux/pending_calls.h"
#include "platform/platform.h"

#include <QDBusConnection>
#include <QObject>

namespace zarvo {

class DesktopNotifier final : public QObject {
  Q_OBJECT
public:
  explicit DesktopNotifier(const QDBusConnection& bus, QObject* parent = nullptr);
  // A notification still up is taken down: it would speak of a program that has gone.
  ~DesktopNotifier() override;

  // Asks the server what it can do, then shows `notification` in place of the one up, with its
  // buttons where the server supports actions; a persistent one never expires. Without a server
  // nothing is sent.
  void Show(const DesktopNotification& notification);
  void Withdraw();

  // The id of the notification up, 0 for none, and whether answers are still awaited (for tests).
  quint32 CurrentId() const { return id_; }
  bool Busy() const { return !calls_.IsEmpty(); }

signals:
  void ActionInvoked(const QString& key);

private Q_SLOTS:
  void OnActionInvoked(quint32 id, const QString& key);
  void OnNotificationClosed(quint32 id, quint32 reason);

private:
  void Notify(const DesktopNotification& notification, const QStringList& capabilities, quint64 generation);
  void Close(quint32 id);

  QDBusConnection bus_;
  PendingCalls calls_;
  quint32 id_ = 0;
  // Counts Show and Withdraw requests: an answer that arrives after a later request is stale.
  quint64 generation_ = 0;
  bool wanted_ = false;
};

} // namespace zarvo

#include "platform/linux/pending_calls.h"

#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>

namespace zarvo {

PendingCalls::PendingCalls(QObject* parent) : QObject(parent) {}

PendingCalls::~PendingCalls() = default;

void PendingCalls::Call(const QDBusConnection& bus, const QDBusMessage& message, int timeoutMs,
                        Handler onReply) {
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, timeoutMs), this);
  calls_.emplace(watcher, std::move(onReply));
  // A call that failed at once (no bus) reports through the event loop too, never re-entrantly.
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] { Finish(watcher); });
  // A call that was over before the watcher existed (no bus at all) may never say so: it is
  // answered from the event loop here (Finish runs once, whichever comes first).
  if (watcher->isFinished())
    QMetaObject::invokeMethod(
        this, [this, watcher] { Finish(watcher); }, Qt::QueuedConnection);
}

void PendingCalls::Finish(QDBusPendingCallWatcher* watcher) {
  const auto it = calls_.find(watcher);
  if (it == calls_.end())
    return;
  Handler handler = std::move(it->second);
  calls_.erase(it);
  const QDBusMessage reply = watcher->reply();
  watcher->deleteLater();
  if (handler)
    handler(reply);
}

} // namespace zarvo

// Asynchronous D-Bus calls whose answers are handled later on the GUI thread; the answers of calls
// still on their way when the owner goes away are no longer heard.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <functional>
#include <map>

class QDBusPendingCallWatcher;

namespace zarvo {

class PendingCalls : public QObject {
  Q_OBJECT
public:
  using Handler = std::function<void(const QDBusMessage& reply)>;

  explicit PendingCalls(QObject* parent = nullptr);
  ~PendingCalls() override;

  // Sends `message` without waiting; `onReply` runs on this thread with the answer or the error
  // (also a timeout or a missing bus). A handler may start further calls.
  void Call(const QDBusConnection& bus, const QDBusMessage& message, int timeoutMs, Handler onReply = {});

  bool IsEmpty() const { return calls_.empty(); }

private:
  void Finish(QDBusPendingCallWatcher* watcher);

  std::map<QDBusPendingCallWatcher*, Handler> calls_;
};

} // namespace zarvo

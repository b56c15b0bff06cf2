// Asynchronous D-Bus calls whose answers are handled later on the GUI thread, and that can all
// be waited for before their owner goes away (a request must not die with the process).
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

  // Blocks until every call, including those that handlers start meanwhile, has been answered
  // (each is bounded by its own timeout).
  void WaitForAll();

  bool IsEmpty() const { return calls_.empty(); }

private:
  void Finish(QDBusPendingCallWatcher* watcher);

  std::map<QDBusPendingCallWatcher*, Handler> calls_;
};

} // namespace zarvo

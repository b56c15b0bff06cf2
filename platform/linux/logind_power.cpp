#include "platform/linux/logind_power.h"

#include "platform/linux/logind_names.h"

#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace zarvo {

namespace {

// SD_LOGIND_SKIP_INHIBITORS, known to logind since systemd 257.
constexpr quint64 SkipInhibitors = quint64(1) << 4;

// Without the flag logind answers UnknownMethod (no ...WithFlags methods, before systemd 248) or
// InvalidArgs (the methods exist but the flag is unknown, 248 to 256).
bool LogindLacksFlags(const QString& errorName) {
  return errorName == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
         errorName == QLatin1String("org.freedesktop.DBus.Error.InvalidArgs");
}

} // namespace

struct LogindPower::SleepWait {
  QEventLoop loop;
  QTimer startTimer;
  bool started = false; // PrepareForSleep(true) arrived
  bool done = false;
};

QDBusMessage LogindManagerCall(const QString& method) {
  QDBusMessage m =
      QDBusMessage::createMethodCall(logind::Service, logind::Path, logind::ManagerInterface, method);
  // polkit may ask for a password where its policy wants one; the ...WithFlags methods have no
  // interactive argument and take it from this header flag.
  m.setInteractiveAuthorizationAllowed(true);
  return m;
}

LogindPower::LogindPower(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected())
    return;
  // Bound to logind's name, so no other client of the system bus can fake a resume.
  bus.connect(logind::Service, logind::Path, logind::ManagerInterface, QStringLiteral("PrepareForSleep"),
              this, SLOT(OnPrepareForSleep(bool)));
  auto* watcher =
      new QDBusServiceWatcher(logind::Service, bus, QDBusServiceWatcher::WatchForUnregistration, this);
  connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &LogindPower::OnLogindGone);
}

LogindPower::~LogindPower() {
  for (const auto& wait : sleepWaits_)
    EndSleepWait(*wait);
  calls_.WaitForAll();
  QDBusConnection bus = QDBusConnection::systemBus();
  if (bus.isConnected())
    bus.disconnect(logind::Service, logind::Path, logind::ManagerInterface, QStringLiteral("PrepareForSleep"),
                   this, SLOT(OnPrepareForSleep(bool)));
}

void LogindPower::ExitWindows(unsigned flags) {
  const bool force = (flags & ExitFlags::Force) != 0;
  if (flags & ExitFlags::Reboot)
    RequestManagerAction(QStringLiteral("Reboot"), force, {});
  else if (flags & (ExitFlags::ShutDown | ExitFlags::PowerOff))
    RequestManagerAction(QStringLiteral("PowerOff"), force, {});
  else
    LogOff(force);
}

void LogindPower::RequestManagerAction(const QString& method, bool force, std::function<void(bool)> done) {
  const QDBusConnection bus = QDBusConnection::systemBus();
  auto report = [done](const QDBusMessage& reply) {
    if (done)
      done(reply.type() == QDBusMessage::ReplyMessage);
  };
  auto plain = [this, bus, method, report] {
    QDBusMessage m = LogindManagerCall(method);
    m << true; // interactive
    calls_.Call(bus, m, logind::PowerRequestTimeoutMs, report);
  };
  if (!force) {
    plain();
    return;
  }
  QDBusMessage m = LogindManagerCall(method + QLatin1String("WithFlags"));
  m << QVariant::fromValue(SkipInhibitors);
  calls_.Call(bus, m, logind::PowerRequestTimeoutMs, [plain, report](const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage && LogindLacksFlags(reply.errorName()))
      plain();
    else
      report(reply);
  });
}

void LogindPower::SetSystemPowerState(bool suspend, bool force) {
  if (!QDBusConnection::systemBus().isConnected())
    return;

  auto wait = std::make_shared<SleepWait>();
  SleepWait* raw = wait.get();
  raw->startTimer.setSingleShot(true);
  raw->startTimer.setInterval(sleepStartTimeoutMs_);
  // logind announces the sleep before it answers, so an accepted request that is not followed
  // by PrepareForSleep(true) soon will not put the machine to sleep at all.
  connect(&raw->startTimer, &QTimer::timeout, this, [this, raw] {
    if (!raw->started)
      EndSleepWait(*raw);
  });
  sleepWaits_.push_back(wait);

  const std::weak_ptr<SleepWait> weak = wait;
  RequestManagerAction(suspend ? QStringLiteral("Suspend") : QStringLiteral("Hibernate"), force,
                       [this, weak](bool accepted) {
                         const auto w = weak.lock();
                         if (!w || w->done || w->started)
                           return; // over, or asleep already: the resume ends the wait
                         if (accepted)
                           w->startTimer.start();
                         else
                           EndSleepWait(*w);
                       });

  const QPointer<LogindPower> alive(this);
  if (!raw->done)
    raw->loop.exec();
  if (!alive)
    return;
  EndSleepWait(*raw); // also when the application ended every event loop
  std::erase(sleepWaits_, wait);
  if (sleepWaits_.empty() && resumeDeferred_) {
    resumeDeferred_ = false;
    // The resume reaches the program after this call has returned, as when the caller's thread
    // was blocked in the sleep: the steps that follow a stand-by run before the resume handling.
    QMetaObject::invokeMethod(
        this, [this] { emit PowerBroadcast(PowerEvent::ResumeSuspend, 0); }, Qt::QueuedConnection);
  }
}

void LogindPower::EndSleepWait(SleepWait& wait) {
  wait.done = true;
  wait.startTimer.stop();
  wait.loop.quit();
}

void LogindPower::OnPrepareForSleep(bool start) {
  if (start) {
    for (const auto& wait : sleepWaits_) {
      if (!wait->done) {
        wait->started = true;
        wait->startTimer.stop();
      }
    }
    emit PowerBroadcast(PowerEvent::Suspend, 0);
    return;
  }
  for (const auto& wait : sleepWaits_) {
    if (!wait->done && wait->started)
      EndSleepWait(*wait);
  }
  if (!sleepWaits_.empty()) {
    resumeDeferred_ = true;
    return;
  }
  emit PowerBroadcast(PowerEvent::ResumeSuspend, 0);
}

// Without logind no resume will ever be reported: a sleep wait would never end.
void LogindPower::OnLogindGone() {
  for (const auto& wait : sleepWaits_)
    EndSleepWait(*wait);
}

} // namespace zarvo

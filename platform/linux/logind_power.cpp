#include "platform/linux/logind_power.h"

#include "platform/linux/logind_names.h"
#include "platform/linux/power_refusal.h"

#include <QDBusServiceWatcher>
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

PowerAnswer AnswerFromReply(const QDBusMessage& reply) {
  if (reply.type() == QDBusMessage::ReplyMessage)
    return {};
  return {false, PlainPowerRefusal(reply)};
}

void AnswerLater(QObject* context, const PowerAnswered& answered, const PowerAnswer& answer) {
  if (answered)
    QMetaObject::invokeMethod(
        context, [answered, answer] { answered(answer); }, Qt::QueuedConnection);
}

// An accepted stand-by or hibernate on its way: it ends with the wake-up, or when the sleep never
// begins.
struct LogindPower::SleepWait {
  QTimer startTimer;
  bool started = false; // PrepareForSleep(true) arrived
  bool done = false;
  PowerAnswered answered;
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
  QDBusConnection bus = QDBusConnection::systemBus();
  if (bus.isConnected())
    bus.disconnect(logind::Service, logind::Path, logind::ManagerInterface, QStringLiteral("PrepareForSleep"),
                   this, SLOT(OnPrepareForSleep(bool)));
}

void LogindPower::ExitWindows(unsigned flags, PowerAnswered answered) {
  const bool force = (flags & ExitFlags::Force) != 0;
  const auto report = [answered](const QDBusMessage& reply) {
    if (answered)
      answered(AnswerFromReply(reply));
  };
  if (flags & ExitFlags::Reboot)
    RequestManagerAction(QStringLiteral("Reboot"), force, report);
  else if (flags & (ExitFlags::ShutDown | ExitFlags::PowerOff))
    RequestManagerAction(QStringLiteral("PowerOff"), force, report);
  else
    LogOff(force, std::move(answered));
}

void LogindPower::RequestManagerAction(const QString& method, bool force, Reply done) {
  const QDBusConnection bus = QDBusConnection::systemBus();
  auto plain = [this, bus, method, done] {
    QDBusMessage m = LogindManagerCall(method);
    m << true; // interactive
    calls_.Call(bus, m, logind::PowerRequestTimeoutMs, done);
  };
  if (!force) {
    plain();
    return;
  }
  QDBusMessage m = LogindManagerCall(method + QLatin1String("WithFlags"));
  m << QVariant::fromValue(SkipInhibitors);
  calls_.Call(bus, m, logind::PowerRequestTimeoutMs, [plain, done](const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage && LogindLacksFlags(reply.errorName()))
      plain();
    else if (done)
      done(reply);
  });
}

void LogindPower::SetSystemPowerState(bool suspend, bool force, PowerAnswered answered) {
  if (!QDBusConnection::systemBus().isConnected()) {
    AnswerLater(this, answered, {false, NoSystemBusReason()});
    return;
  }
  auto wait = std::make_shared<SleepWait>();
  wait->answered = std::move(answered);
  wait->startTimer.setSingleShot(true);
  wait->startTimer.setInterval(sleepStartTimeoutMs_);
  const std::weak_ptr<SleepWait> weak = wait;
  // logind announces the sleep before it answers, so an accepted request that is not followed by
  // PrepareForSleep(true) soon will not put the machine to sleep at all.
  connect(&wait->startTimer, &QTimer::timeout, this, [this, weak] {
    if (const auto w = weak.lock(); w && !w->started)
      FinishSleepWait(w, {false, SleepNeverBeganReason()});
  });
  sleepWaits_.push_back(wait);

  RequestManagerAction(suspend ? QStringLiteral("Suspend") : QStringLiteral("Hibernate"), force,
                       [this, weak](const QDBusMessage& reply) {
                         const auto w = weak.lock();
                         if (!w || w->done || w->started)
                           return; // over, or asleep already: the wake-up ends it
                         const PowerAnswer answer = AnswerFromReply(reply);
                         if (answer.accepted)
                           w->startTimer.start();
                         else
                           FinishSleepWait(w, answer);
                       });
}

void LogindPower::FinishSleepWait(const std::shared_ptr<SleepWait>& wait, const PowerAnswer& answer) {
  if (wait->done)
    return;
  wait->done = true;
  wait->startTimer.stop();
  std::erase(sleepWaits_, wait);
  if (wait->answered)
    wait->answered(answer);
}

void LogindPower::OnPrepareForSleep(bool start) {
  if (start) {
    for (const auto& wait : sleepWaits_) {
      wait->started = true;
      wait->startTimer.stop();
    }
    emit PowerBroadcast(PowerEvent::Suspend, 0);
    return;
  }
  // The requests that put the machine to sleep hear of the wake-up first, so the steps that follow
  // a stand-by begin before the wake-up itself is handled.
  const auto waits = sleepWaits_;
  bool answered = false;
  for (const auto& wait : waits)
    if (wait->started) {
      FinishSleepWait(wait, {});
      answered = true;
    }
  if (!answered) {
    emit PowerBroadcast(PowerEvent::ResumeSuspend, 0);
    return;
  }
  const QPointer<LogindPower> self(this);
  QMetaObject::invokeMethod(
      this,
      [self] {
        if (self)
          emit self->PowerBroadcast(PowerEvent::ResumeSuspend, 0);
      },
      Qt::QueuedConnection);
}

// Without logind no wake-up will ever be reported: a sleep on its way ends here.
void LogindPower::OnLogindGone() {
  const auto waits = sleepWaits_;
  for (const auto& wait : waits)
    FinishSleepWait(wait, wait->started ? PowerAnswer{} : PowerAnswer{false, LogindGoneReason()});
}

} // namespace zarvo

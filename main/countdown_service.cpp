#include "main/countdown_service.h"

#include "main/main_window.h"
#include "main/power_action.h"
#include "main/timed_command_line.h"
#include "main/window_set.h"
#include "options/options_window.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace zarvo {

namespace {

// The actions by the names the bus and the command line give them, in the order they are carried
// out, with the words a person reads.
struct ActionName {
  const char* name;
  const char* phrase;
};
constexpr ActionName kActionNames[] = {
    {"shutdown", "shut down"}, {"restart", "restart"},        {"logoff", "log off"},
    {"standby", "suspend"},    {"hibernate", "hibernate"},    {"sound", "play a sound"},
    {"run", "run a command"},  {"message", "show a message"},
};
constexpr int kPowerNames = 5; // the first five take no text

QStringList ActionsOf(const ActionSelection& s) {
  QStringList names;
  if (const std::optional<PowerAction> power = SelectedPowerAction(s))
    names << ActionWord(*power);
  if (s.PlaySoundSelected)
    names << QStringLiteral("sound");
  if (s.RunApplicationSelected)
    names << QStringLiteral("run");
  if (s.ShowMessageSelected)
    names << QStringLiteral("message");
  return names;
}

RemoteRefusal NotCounting() {
  return {RemoteRefusal::Kind::NotCounting, QStringLiteral("no countdown runs")};
}

} // namespace

CountdownService::CountdownService(WindowSet& windows) : windows_(windows) {}

void CountdownService::Attach() {
  CountdownSession& session = windows_.Form1()->Session();
  for (auto changed :
       {&CountdownSession::Started, &CountdownSession::Stopped, &CountdownSession::TargetChanged})
    connect(&session, changed, this, &RemoteControl::StateChanged);
  // The actions of a running countdown changed in the Options window.
  connect(windows_.FormOptions(), &TFormOptions::SelectionChanged, this, [this] {
    if (windows_.Form1()->CountdownRunning())
      emit StateChanged();
  });
  // The main window's own handler (connected first) has begun the actions by now.
  connect(&session, &CountdownSession::Expired, this,
          [this] { emit Expired(ActionsOf(windows_.Form1()->Selection)); });
}

bool CountdownService::Ready() const { return windows_.Form1() && windows_.FormOptions(); }

RemoteRefusal CountdownService::Start(const QString& mode, const QString& time,
                                      const QMap<QString, QString>& actions, bool replace) {
  if (!Ready())
    return {RemoteRefusal::Kind::Failed, QStringLiteral("Zarvo is still starting")};
  // Read exactly as the command line reads it, with its checks and its words.
  QStringList arguments;
  if (mode == QLatin1String("after") || mode == QLatin1String("at"))
    arguments << QStringLiteral("--") + mode + QLatin1Char('=') + time;
  else
    return {RemoteRefusal::Kind::InvalidArgs,
            QStringLiteral("the mode \"%1\" is neither after nor at").arg(mode)};
  for (auto it = actions.begin(); it != actions.end(); ++it) {
    const auto known = std::find_if(std::begin(kActionNames), std::end(kActionNames),
                                    [&](const ActionName& a) { return it.key() == QLatin1String(a.name); });
    if (known == std::end(kActionNames))
      return {
          RemoteRefusal::Kind::InvalidArgs,
          QStringLiteral("unknown action \"%1\"; use shutdown, restart, logoff, standby, hibernate, sound, "
                         "run or message")
              .arg(it.key())};
    arguments << QStringLiteral("--") + it.key() +
                     (known - std::begin(kActionNames) < kPowerNames ? QString()
                                                                     : QLatin1Char('=') + it.value());
  }
  // A sound file given without its full path is taken from the home folder.
  const TimedCommandLine parsed = ParseTimedCommandLine(arguments, QDir::homePath(), QDir::homePath());
  if (parsed.kind != TimedCommandLine::Kind::Start)
    return {RemoteRefusal::Kind::InvalidArgs,
            QString(parsed.error).remove(QRegularExpression(QStringLiteral("^zarvo: ")))};

  CountdownSession& session = windows_.Form1()->Session();
  if (session.CountdownRunning()) {
    if (!replace)
      return {RemoteRefusal::Kind::Counting,
              QStringLiteral("a countdown already runs: ") + DescribeCountdown(Status())};
    session.Stop();
  }
  windows_.StartTimed(parsed.start);
  return {};
}

RemoteRefusal CountdownService::Stop() {
  if (!Ready() || !windows_.Form1()->CountdownRunning())
    return NotCounting();
  // The countdown itself, not Start: with every action deselected meanwhile, Start would refuse.
  windows_.Form1()->Session().Stop();
  return {};
}

RemoteRefusal CountdownService::Postpone(qint64 seconds) {
  if (!Ready() || !windows_.Form1()->CountdownRunning())
    return NotCounting();
  if (const QString refusal = windows_.Form1()->PostponeBy(seconds * 1000); !refusal.isEmpty())
    return {RemoteRefusal::Kind::InvalidArgs, refusal};
  return {};
}

CountdownStatus CountdownService::Status() const {
  CountdownStatus s;
  if (!Ready() || !windows_.Form1()->CountdownRunning())
    return s;
  const TForm1& main = *windows_.Form1();
  const CountdownSession& session = main.Session();
  s.running = true;
  s.mode = session.Mode() == CountdownMode::At ? QStringLiteral("at") : QStringLiteral("after");
  s.target = FormatTime(session.TargetTimeOfDay());
  s.remainingSeconds = static_cast<uint>(session.RemainingNowMs() / 1000);
  s.actions = ActionsOf(main.Selection);
  return s;
}

void CountdownService::Activate() {
  if (Ready())
    windows_.Form1()->BringToFront();
}

QString DescribeCountdown(const CountdownStatus& status) {
  if (!status.running)
    return QStringLiteral("No countdown runs");
  QStringList what;
  for (const ActionName& a : kActionNames)
    if (status.actions.contains(QLatin1String(a.name)))
      what << QString::fromLatin1(a.phrase);
  QString list = what.size() < 2 ? what.value(0)
                                 : what.mid(0, what.size() - 1).join(QStringLiteral(", ")) +
                                       QStringLiteral(" and ") + what.last();
  if (!list.isEmpty())
    list[0] = list[0].toUpper();
  return QStringLiteral("%1 at %2 (%3 left)")
      .arg(list, status.target, FormatTime(static_cast<int>(status.remainingSeconds % 86400) * 1000));
}

} // namespace zarvo

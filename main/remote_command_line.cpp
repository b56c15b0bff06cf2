#include "main/remote_command_line.h"

#include "main/countdown_service.h"
#include "main/power_action.h"
#include "main/timed_command_line.h"
#include "platform/remote_control.h"

#include <cstdio>

namespace zarvo {

namespace {

constexpr int kNoZarvo = 3;

void Say(FILE* stream, const QString& line) {
  std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

ControlCommandLine ControlError(const QString& text) {
  ControlCommandLine c;
  c.kind = ControlCommandLine::Kind::Error;
  c.error = QStringLiteral("zarvo: ") + text;
  return c;
}

// Says what went wrong and gives the exit status for it.
int Refused(const RemoteRefusal& refusal) {
  switch (refusal.kind) {
  case RemoteRefusal::Kind::NoInstance:
    Say(stderr, QStringLiteral("zarvo: no Zarvo runs in this session"));
    return kNoZarvo;
  case RemoteRefusal::Kind::Failed:
    Say(stderr, QStringLiteral("zarvo: the running Zarvo did not answer: ") + refusal.text);
    return 1;
  default: Say(stderr, QStringLiteral("zarvo: ") + refusal.text); return 1;
  }
}

} // namespace

ControlCommandLine ParseControlCommandLine(const QStringList& arguments) {
  const QString first = arguments.value(0);
  const auto is = [&](const char* option) {
    return first == QLatin1String(option) || first.startsWith(QLatin1String(option) + QLatin1Char('='));
  };
  const auto control = [](const QString& a) {
    return a == QLatin1String("--status") || a == QLatin1String("--cancel") ||
           a == QLatin1String("--postpone") || a.startsWith(QLatin1String("--postpone="));
  };
  if (std::none_of(arguments.begin(), arguments.end(), control))
    return {};
  ControlCommandLine c;
  if (is("--status") || is("--cancel")) {
    if (arguments.size() != 1 || first.contains(QLatin1Char('=')))
      return ControlError(
          QStringLiteral("%1 takes no value and no other option").arg(first.section(QLatin1Char('='), 0, 0)));
    c.kind = first == QLatin1String("--status") ? ControlCommandLine::Kind::Status
                                                : ControlCommandLine::Kind::Cancel;
    return c;
  }
  if (!is("--postpone"))
    return ControlError(QStringLiteral("--status, --cancel and --postpone go alone"));
  QString value;
  if (first.contains(QLatin1Char('='))) {
    if (arguments.size() != 1)
      return ControlError(QStringLiteral("--postpone goes alone"));
    value = first.section(QLatin1Char('='), 1);
  } else {
    if (arguments.size() != 2)
      return ControlError(arguments.size() < 2
                              ? QStringLiteral("--postpone needs a duration (see zarvo --help)")
                              : QStringLiteral("--postpone goes alone"));
    value = arguments[1];
  }
  if (const QString wrong = CheckDuration(value, c.postponeMs); !wrong.isEmpty())
    return ControlError(wrong);
  c.kind = ControlCommandLine::Kind::Postpone;
  return c;
}

int RunControlCommand(const ControlCommandLine& command) {
  RemoteCall call;
  switch (command.kind) {
  case ControlCommandLine::Kind::Cancel: call.method = RemoteCall::Method::Stop; break;
  case ControlCommandLine::Kind::Postpone:
    call.method = RemoteCall::Method::Postpone;
    call.seconds = command.postponeMs / 1000;
    break;
  default: break;
  }
  if (call.method != RemoteCall::Method::Status)
    if (const RemoteAnswer done = CallRunningZarvo(call); done.refusal)
      return Refused(done.refusal);
  if (command.kind == ControlCommandLine::Kind::Cancel)
    return 0;
  // --status, and what the countdown is after --postpone.
  const RemoteAnswer answer = CallRunningZarvo(RemoteCall{});
  if (answer.refusal)
    return Refused(answer.refusal);
  Say(stdout, DescribeCountdown(answer.status));
  return 0;
}

std::optional<int> HandOverToRunningZarvo(const TimedCommandLine& timed) {
  RemoteCall call;
  call.method = RemoteCall::Method::Activate;
  if (timed.kind == TimedCommandLine::Kind::Start) {
    const TimedStart& start = timed.start;
    call.method = RemoteCall::Method::Start;
    call.mode = start.mode == CountdownMode::At ? QStringLiteral("at") : QStringLiteral("after");
    call.time = FormatTime(start.pickerMs);
    const ActionSelection& s = start.selection;
    if (const std::optional<PowerAction> power = SelectedPowerAction(s))
      call.actions.insert(ActionWord(*power), QString());
    if (s.PlaySoundSelected)
      call.actions.insert(QStringLiteral("sound"), s.SoundFileName); // a full path by now
    if (s.RunApplicationSelected)
      call.actions.insert(QStringLiteral("run"), s.ApplicationCommand);
    if (s.ShowMessageSelected)
      call.actions.insert(QStringLiteral("message"), s.MessageText);
    call.replace = timed.replace;
  }
  const RemoteAnswer answer = CallRunningZarvo(call);
  switch (answer.refusal.kind) {
  case RemoteRefusal::Kind::None: return 0;
  case RemoteRefusal::Kind::NoInstance: return std::nullopt;
  case RemoteRefusal::Kind::Counting:
    Say(stderr, QStringLiteral("zarvo: nothing was changed: ") + answer.refusal.text +
                    QStringLiteral("; add --replace to replace it"));
    return 1;
  case RemoteRefusal::Kind::InvalidArgs:
    Say(stderr, QStringLiteral("zarvo: ") + answer.refusal.text);
    return 2;
  default: return Refused(answer.refusal);
  }
}

} // namespace zarvo

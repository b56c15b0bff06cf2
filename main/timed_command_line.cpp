#include "main/timed_command_line.h"

#include "main/power_action.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace zarvo {

namespace {

struct PowerOption {
  const char* name;
  PowerAction action;
};
constexpr PowerOption kPowerOptions[] = {{"--shutdown", PowerAction::ShutDown},
                                         {"--restart", PowerAction::Restart},
                                         {"--logoff", PowerAction::LogOff},
                                         {"--standby", PowerAction::StandBy},
                                         {"--hibernate", PowerAction::Hibernate}};

const QStringList kValueOptions{QStringLiteral("--after"), QStringLiteral("--at"), QStringLiteral("--sound"),
                                QStringLiteral("--run"), QStringLiteral("--message")};

QString Quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

TimedCommandLine Error(const QString& text) {
  TimedCommandLine r;
  r.kind = TimedCommandLine::Kind::Error;
  r.error = QStringLiteral("zarvo: ") + text;
  return r;
}

std::optional<PowerAction> PowerOptionAction(const QString& name) {
  for (const PowerOption& o : kPowerOptions)
    if (name == QLatin1String(o.name))
      return o.action;
  return std::nullopt;
}

// The full path of a sound file given as typed, "~" meaning the home folder.
QString ResolvePath(const QString& typed, const QString& currentDirectory, const QString& homeDirectory) {
  QString path = typed;
  if (path == QLatin1String("~"))
    path = homeDirectory;
  else if (path.startsWith(QLatin1String("~/")))
    path = homeDirectory + path.mid(1);
  return QDir::cleanPath(QDir(currentDirectory).absoluteFilePath(path));
}

} // namespace

std::optional<qint64> ParseDuration(const QString& text) {
  // Six digits a part is far beyond a day and keeps the sum clear of overflow.
  static const QRegularExpression units(QStringLiteral("^(?:(\\d{1,6})h)?(?:(\\d{1,6})m)?(?:(\\d{1,6})s)?$"),
                                        QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression clock(QStringLiteral("^(\\d{1,6}):([0-5]\\d)(?::([0-5]\\d))?$"));
  if (text.isEmpty())
    return std::nullopt;
  if (const QRegularExpressionMatch m = units.match(text); m.hasMatch())
    return ((m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong()) * 60 +
            m.captured(3).toLongLong()) *
           1000;
  if (const QRegularExpressionMatch m = clock.match(text); m.hasMatch())
    return ((m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong()) * 60 +
            m.captured(3).toLongLong()) *
           1000;
  return std::nullopt;
}

QString CheckDuration(const QString& text, qint64& ms) {
  const std::optional<qint64> parsed = ParseDuration(text);
  if (!parsed)
    return QStringLiteral("%1 is not a duration; use 90s, 10m, 2h, 1h30m or hh:mm[:ss]").arg(Quoted(text));
  if (*parsed >= kDayMs)
    return QStringLiteral("the duration %1 is a day or more; the longest is 23:59:59").arg(Quoted(text));
  // A zero "After" would count a whole day: certainly not what was typed.
  if (*parsed < 1000)
    return QStringLiteral("the duration %1 is zero; give at least one second").arg(Quoted(text));
  ms = *parsed;
  return {};
}

std::optional<int> ParseTimeOfDay(const QString& text) {
  static const QRegularExpression clock(QStringLiteral("^([01]?\\d|2[0-3]):([0-5]\\d)(?::([0-5]\\d))?$"));
  const QRegularExpressionMatch m = clock.match(text);
  if (!m.hasMatch())
    return std::nullopt;
  return ((m.captured(1).toInt() * 60 + m.captured(2).toInt()) * 60 + m.captured(3).toInt()) * 1000;
}

TimedCommandLine ParseTimedCommandLine(const QStringList& arguments, const QString& currentDirectory,
                                       const QString& homeDirectory) {
  // None of these options at all: whatever else is there is left to the rest of the start-up.
  const bool any = std::any_of(arguments.begin(), arguments.end(),
                               [](const QString& a) { return a.startsWith(QLatin1String("--")); });
  // --help and --version are answered before this is asked, whatever else is given.
  if (!any || arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("--version")))
    return {};

  TimedCommandLine r;
  r.kind = TimedCommandLine::Kind::Start;
  ActionSelection& s = r.start.selection;
  QStringList seen;
  std::optional<PowerAction> power;
  bool timeGiven = false;

  for (int i = 0; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (!arg.startsWith(QLatin1String("--")))
      return Error(QStringLiteral("unexpected argument %1 (see zarvo --help)").arg(Quoted(arg)));
    QString name = arg;
    std::optional<QString> value;
    if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0) {
      name = arg.left(eq);
      value = arg.mid(eq + 1);
    }
    const std::optional<PowerAction> action = PowerOptionAction(name);
    const bool replace = name == QLatin1String("--replace");
    if (!action && !replace && !kValueOptions.contains(name))
      return Error(QStringLiteral("unknown option %1 (see zarvo --help)").arg(Quoted(name)));
    if (seen.contains(name))
      return Error(QStringLiteral("%1 is given twice").arg(name));
    seen << name;

    if (replace) {
      if (value)
        return Error(QStringLiteral("--replace takes no value"));
      r.replace = true;
      continue;
    }
    if (action) {
      if (value)
        return Error(QStringLiteral("%1 takes no value").arg(name));
      if (power)
        return Error(QStringLiteral("only one of --shutdown, --restart, --logoff, --standby and --hibernate "
                                    "can be given"));
      power = action;
      continue;
    }
    if (!value) {
      if (i + 1 >= arguments.size())
        return Error(QStringLiteral("%1 needs a value (see zarvo --help)").arg(name));
      value = arguments[++i];
    }

    if (name == QLatin1String("--after") || name == QLatin1String("--at")) {
      if (timeGiven)
        return Error(QStringLiteral("give either --after or --at, not both"));
      timeGiven = true;
      if (name == QLatin1String("--after")) {
        qint64 ms = 0;
        if (const QString wrong = CheckDuration(*value, ms); !wrong.isEmpty())
          return Error(wrong);
        r.start.mode = CountdownMode::After;
        r.start.pickerMs = static_cast<int>(ms);
      } else {
        const std::optional<int> ms = ParseTimeOfDay(*value);
        if (!ms)
          return Error(QStringLiteral("%1 is not a time of day; use hh:mm or hh:mm:ss").arg(Quoted(*value)));
        r.start.mode = CountdownMode::At;
        r.start.pickerMs = *ms;
      }
    } else if (name == QLatin1String("--sound")) {
      if (value->isEmpty())
        return Error(QStringLiteral("--sound needs a sound file"));
      const QString path = ResolvePath(*value, currentDirectory, homeDirectory);
      const QFileInfo info(path);
      if (!info.exists())
        return Error(QStringLiteral("the sound file %1 does not exist").arg(Quoted(path)));
      if (!info.isFile() || !info.isReadable())
        return Error(QStringLiteral("the sound file %1 cannot be read").arg(Quoted(path)));
      const QString suffix = info.suffix().toLower();
      if (suffix != QLatin1String("wav") && suffix != QLatin1String("mp3"))
        return Error(QStringLiteral("the sound file %1 is not a .wav or .mp3 file").arg(Quoted(path)));
      s.PlaySoundSelected = true;
      s.SoundFileName = path;
    } else if (name == QLatin1String("--run")) {
      if (value->trimmed().isEmpty())
        return Error(QStringLiteral("--run needs a command line"));
      s.RunApplicationSelected = true;
      s.ApplicationCommand = *value;
    } else { // --message
      if (value->isEmpty())
        return Error(QStringLiteral("--message needs a text"));
      s.ShowMessageSelected = true;
      s.MessageText = *value;
    }
  }

  if (power)
    s.Power(*power) = true;
  if (!timeGiven)
    return Error(QStringLiteral("say when: add --after DURATION or --at TIME"));
  if (!s.AnySelected())
    return Error(QStringLiteral("nothing to do at the end: add --shutdown, --restart, --logoff, --standby, "
                                "--hibernate, --sound, --run or --message"));
  return r;
}

QString TimedUsage() {
  return QStringLiteral(
      "A countdown from the command line, started at once:\n"
      "  zarvo --after DURATION | --at TIME  [ACTION...]\n"
      "  --after DURATION   count down for 90s, 10m, 2h, 1h30m or hh:mm[:ss] (under a day)\n"
      "  --at TIME          count down to hh:mm or hh:mm:ss (tomorrow if already past)\n"
      "  --shutdown, --restart, --logoff, --standby, --hibernate\n"
      "                     the power action at the end (one at most)\n"
      "  --sound FILE       play a .wav or .mp3 file at the end\n"
      "  --run COMMAND      run a command line at the end\n"
      "  --message TEXT     show a message at the end\n"
      "  --replace          replace a countdown that already runs in this session's Zarvo\n"
      "  Example: zarvo --at 23:30 --standby --message \"Good night\"\n");
}

} // namespace zarvo

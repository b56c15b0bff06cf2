// The command-line actions, decided on the command line exactly as the system passed it, before
// any window is created.
#include "main/command_line.h"

#include "framework/dialogs.h"
#include "main/main_window.h"
#include "main/settings.h"
#include "platform/platform.h"
#include "project_info.h"

#include <cstdio>

namespace zarvo {

namespace {

// The lines --help gives for one Zarvo per session and the options that reach it.
QString ControlUsage() {
  return QStringLiteral(
      "One Zarvo runs in a desktop session. Started again, it brings the running one's windows\n"
      "back; started again with a countdown, it hands the countdown over to the running one, which\n"
      "refuses it (status 1) while its own countdown runs, unless --replace is given.\n"
      "The running Zarvo's countdown from a script:\n"
      "  --status            print what will happen when, and the time left\n"
      "  --cancel            stop the countdown\n"
      "  --postpone DURATION add time: 90s, 10m, 2h, 1h30m or hh:mm[:ss]\n"
      "  Each ends with status 3 when no Zarvo runs, 1 when no countdown runs (--cancel,\n"
      "  --postpone) or the change cannot be made.\n"
      "  Example, a shut-down once a long job is done: long-job && zarvo --after 5m --shutdown\n");
}

constexpr const char* kActionWords[] = {"shutdown", "restart", "logoff", "standby", "hibernate"};

// Only A to Z change: a Unicode case mapping could turn other letters into these words.
QString AsciiLower(QString text) {
  for (QChar& c : text)
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
      c = QChar(c.unicode() - 'A' + 'a');
  return text;
}

QString AsciiUpper(QString text) {
  for (QChar& c : text)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
      c = QChar(c.unicode() - 'a' + 'A');
  return text;
}

} // namespace

QString RequestedActionWord(const QString& commandLine, const QString& executablePath) {
  const QString line = AsciiLower(commandLine);
  const QString program = QLatin1Char('"') + AsciiLower(executablePath) + QStringLiteral("\" ");
  for (const char* word : kActionWords)
    if (line == program + QLatin1String(word))
      return QString::fromLatin1(word);
  return QString();
}

QString CommandLineConfirmationText(const QString& word) {
  return QString(25, QLatin1Char(' ')) + QStringLiteral("Are you sure you want to ") + AsciiUpper(word) +
         QStringLiteral(" ?") + QStringLiteral("\n\r\n\r") + QStringLiteral("Uncheck the \"") +
         QStringLiteral(ZARVO_NAME) +
         QStringLiteral("\" menu \"Run->Show Confirmation\" to skip the confirmation!");
}

bool IsInformationRequest(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i)
    if (arguments[i] == QLatin1String("--help") || arguments[i] == QLatin1String("-h") ||
        arguments[i] == QLatin1String("--version"))
      return true;
  return false;
}

QString InformationText(const QStringList& arguments, const QString& settingsFile) {
  if (!arguments.contains(QLatin1String("--help")) && !arguments.contains(QLatin1String("-h")))
    return QStringLiteral(ZARVO_NAME " " ZARVO_VERSION "\n");
  return QStringLiteral(
             "Usage: zarvo [WORD]\n"
             "A countdown that shuts the computer down, restarts it, logs you off, suspends or\n"
             "hibernates it, plays a sound, runs a program or shows a message when the time runs out.\n"
             "\n"
             "Started with one of these words, Zarvo does it at once and ends without showing its\n"
             "windows; it asks first unless \"Show confirmation\" is unticked in its Run menu:\n"
             "  shutdown    shut the computer down\n"
             "  restart     restart the computer\n"
             "  logoff      log off\n"
             "  standby     suspend the computer\n"
             "  hibernate   hibernate the computer\n"
             "Letter case does not matter, and the word must be the only argument. When the system\n"
             "refuses the action, Zarvo says why on standard error and ends with status 1.\n"
             "\n"
             "Or start a countdown at once:\n"
             "  --after DURATION  90s, 10m, 2h, 1h30m or hh:mm[:ss]\n"
             "  --at TIME         hh:mm or hh:mm:ss\n"
             "with what to do then: one of --shutdown, --restart, --logoff, --standby or\n"
             "--hibernate, and any of --sound FILE (.wav or .mp3), --run COMMAND, --message TEXT;\n"
             "--replace replaces a countdown that already runs.\n"
             "Other words alone start Zarvo normally; an unknown option ends it with status 2.\n"
             "\n") +
         ControlUsage() +
         QStringLiteral("\n"
                        "  --help      show this text\n"
                        "  --version   show the version\n"
                        "\n"
                        "Settings: ") +
         settingsFile + QLatin1Char('\n');
}

bool TForm1::ProcessCommandLine() {
  // Whatever goes wrong here, start-up goes on as if no word had been given.
  try {
    const QString word = RequestedActionWord(platform_.CommandLine(), platform_.ExecutablePath());
    if (word.isEmpty())
      return false;
    const QString path = SettingsFilePath(platform_.ExecutableDirectory(), SettingsFileName);
    // Never forced: ForceShutDown is still false here, whatever the settings say.
    if (ReadSetting(path, SettingId::Showconfirmation1) &&
        dialogs_.MessageBox(nullptr, CommandLineConfirmationText(word), QStringLiteral("Confirm"),
                            Buttons::YesNo, Icon::Question) != Answer::Yes)
      return true;
    // The program ends once the system has answered: a refusal is said on standard error and ends
    // it with status 1.
    commandLinePending_ = true;
    PerformPowerAction(word, [this, word](const PowerAnswer& answer) {
      commandLinePending_ = false;
      if (!answer.accepted)
        std::fputs(
            QStringLiteral("zarvo: %1 was refused: %2.\n").arg(word, answer.reason).toLocal8Bit().constData(),
            stderr);
      emit CommandLineActionDone(answer.accepted ? 0 : 1);
    });
    return true;
  } catch (...) {
    return false;
  }
}

} // namespace zarvo

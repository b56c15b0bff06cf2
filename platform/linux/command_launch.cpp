#include "platform/linux/command_launch.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <glib.h>

namespace zarvo {

namespace {

// GLib's shell-style split; on failure `error` holds GLib's own words.
bool ShellSplit(const QString& text, QStringList& words, QString& error) {
  int argc = 0;
  gchar** argv = nullptr;
  GError* gerror = nullptr;
  const QByteArray utf8 = text.toUtf8();
  if (!g_shell_parse_argv(utf8.constData(), &argc, &argv, &gerror)) {
    error = gerror ? QString::fromUtf8(gerror->message) : QStringLiteral("the command line cannot be read");
    if (gerror)
      g_error_free(gerror);
    return false;
  }
  for (int i = 0; i < argc; ++i)
    words << QString::fromUtf8(argv[i]);
  g_strfreev(argv);
  return true;
}

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

} // namespace

LaunchPlan PlanCommandLine(const QString& commandLine, const std::function<bool(const QString&)>& isFile) {
  LaunchPlan plan;
  const QString line = commandLine.trimmed();
  if (line.isEmpty()) {
    plan.error = QStringLiteral("the command line is empty");
    return plan;
  }
  if (line.startsWith(QLatin1Char('/'))) {
    qsizetype end = -1;
    for (qsizetype i = 1; i <= line.size(); ++i) {
      if ((i == line.size() || IsBlank(line[i])) && isFile(line.left(i)))
        end = i;
    }
    if (end > 0) {
      plan.program = line.left(end);
      const QString rest = line.mid(end).trimmed();
      if (!rest.isEmpty() && !ShellSplit(rest, plan.arguments, plan.error))
        plan.program.clear();
      return plan;
    }
  }
  QStringList words;
  if (!ShellSplit(line, words, plan.error))
    return plan;
  if (words.isEmpty()) { // a comment alone
    plan.error = QStringLiteral("the command line names no program");
    return plan;
  }
  plan.program = words.takeFirst();
  plan.arguments = words;
  return plan;
}

QString StartDetached(const LaunchPlan& plan) {
  if (!plan.error.isEmpty())
    return plan.error;
  QString program = plan.program;
  if (!program.contains(QLatin1Char('/'))) {
    program = QStandardPaths::findExecutable(plan.program);
    if (program.isEmpty())
      return QStringLiteral("no program of that name was found");
  }
  const QFileInfo info(program);
  if (!info.exists())
    return QStringLiteral("the program does not exist");
  if (info.isDir())
    return QStringLiteral("it is a folder, not a program");
  if (!info.isExecutable())
    return QStringLiteral("the file is not executable");
  QProcess process;
  process.setProgram(program);
  process.setArguments(plan.arguments);
  if (!process.startDetached())
    return process.errorString();
  return {};
}

} // namespace zarvo

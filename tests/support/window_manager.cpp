#include "tests/support/window_manager.h"

#include "tests/support/x_session.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>

namespace zarvo::test {

namespace {

QString Xprop(const QStringList& arguments) {
  QProcess p;
  p.start(QStringLiteral("xprop"), arguments);
  if (!p.waitForFinished(5000) || p.exitCode() != 0)
    return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The window named by the root's _NET_SUPPORTING_WM_CHECK while it exists, else 0.
quint32 SupportingWindow() {
  static const QRegularExpression id(QStringLiteral("window id # (0x[0-9a-f]+)"));
  const QRegularExpressionMatch m =
      id.match(Xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")}));
  if (!m.hasMatch())
    return 0;
  const QString check = m.captured(1);
  // A window manager that has gone leaves the property behind, naming a window that has gone too.
  if (!Xprop({QStringLiteral("-id"), check, QStringLiteral("_NET_SUPPORTING_WM_CHECK")}).contains(check))
    return 0;
  return check.toUInt(nullptr, 16);
}

QStringList Arguments(const QString& program) {
  if (program == QLatin1String("xfwm4"))
    return {QStringLiteral("--replace"), QStringLiteral("--compositor=off")};
  if (program == QLatin1String("mutter"))
    return {QStringLiteral("--replace"), QStringLiteral("--x11")};
  return {QStringLiteral("--replace")};
}

} // namespace

WindowManager::WindowManager(QString program) : program_(std::move(program)) {}

WindowManager::~WindowManager() {
  if (process_.state() == QProcess::NotRunning)
    return;
  process_.terminate();
  if (!process_.waitForFinished(10000))
    process_.kill();
  process_.waitForFinished(5000);
}

bool WindowManager::Installed() const { return !QStandardPaths::findExecutable(program_).isEmpty(); }

bool WindowManager::Start(QString* error) {
  const quint32 before = SupportingWindow();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("KWIN_COMPOSE"), QStringLiteral("N")); // KWin without compositing
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  process_.setProcessEnvironment(env);
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.setStandardOutputFile(QProcess::nullDevice());
  process_.start(QStandardPaths::findExecutable(program_), Arguments(program_));
  if (!process_.waitForStarted(10000)) {
    *error = program_ + QStringLiteral(" did not start: ") + process_.errorString();
    return false;
  }
  const QDeadlineTimer deadline(60000);
  while (!deadline.hasExpired()) {
    if (process_.state() == QProcess::NotRunning) {
      *error = program_ + QStringLiteral(" ended with status %1").arg(process_.exitCode());
      return false;
    }
    const quint32 now = SupportingWindow();
    if (now != 0 && now != before)
      return true;
    QTest::qWait(50);
  }
  *error = program_ + QStringLiteral(" did not take the screen within a minute");
  return false;
}

QStringList NetWmState(const QString& id) {
  const QString out = Xprop({QStringLiteral("-id"), id, QStringLiteral("_NET_WM_STATE")});
  const qsizetype eq = out.indexOf(QLatin1Char('='));
  if (eq < 0)
    return {};
  QStringList atoms;
  for (const QString& a : out.mid(eq + 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
    atoms << a.trimmed();
  return atoms;
}

bool StartsMinimised(const QString& id) {
  return Xprop({QStringLiteral("-id"), id, QStringLiteral("WM_HINTS")}).contains(QStringLiteral("Iconic"));
}

quint32 ActiveWindow() {
  static const QRegularExpression id(QStringLiteral("window id # (0x[0-9a-f]+)"));
  const QRegularExpressionMatch m =
      id.match(Xprop({QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")}));
  return m.hasMatch() ? m.captured(1).toUInt(nullptr, 16) : 0;
}

bool ActivateWindow(quint32 id) { return Xdotool({QStringLiteral("windowactivate"), QString::number(id)}); }

} // namespace zarvo::test

#include "tests/support/zarvo_process.h"

#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <linux/capability.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace zarvo::test {

namespace {

const QSize kMainSize(200, 140);
const QSize kOptionsSize(200, 280);

} // namespace

ZarvoProcess::ZarvoProcess() : environment_(QProcessEnvironment::systemEnvironment()) {
  if (!dir_.isValid())
    return;
  const QString home = Home();
  for (const QString& sub : {QStringLiteral("program"), QStringLiteral("home/.config"),
                             QStringLiteral("home/.local/share"), QStringLiteral("home/.cache")})
    if (!QDir().mkpath(dir_.filePath(sub)))
      return;
  environment_.insert(QStringLiteral("HOME"), home);
  environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
  environment_.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
  environment_.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
  // The program finds its folder through /proc/self/exe, which a hard link keeps and a symbolic
  // link would resolve back to the build tree.
  const QByteArray from = QFile::encodeName(QStringLiteral(ZARVO_BINARY));
  const QByteArray to = QFile::encodeName(Program());
  valid_ =
      ::link(from.constData(), to.constData()) == 0 || QFile::copy(QStringLiteral(ZARVO_BINARY), Program());
  process_.setProcessChannelMode(QProcess::ForwardedChannels);
  process_.setWorkingDirectory(Folder());
}

ZarvoProcess::~ZarvoProcess() {
  if (process_.state() == QProcess::NotRunning)
    return;
  process_.terminate();
  if (!process_.waitForFinished(5000))
    Kill();
}

QString ZarvoProcess::Folder() const { return dir_.filePath(QStringLiteral("program")); }
QString ZarvoProcess::Program() const { return Folder() + QStringLiteral("/zarvo"); }
QString ZarvoProcess::SettingsFile() const { return Folder() + QStringLiteral("/Settings.ini"); }
QString ZarvoProcess::Home() const { return dir_.filePath(QStringLiteral("home")); }

void ZarvoProcess::ObeyFilePermissions() {
  // Dropped from the bounding set in the child, so that the program that it then executes does not
  // regain them as root; only async-signal-safe calls here.
  process_.setChildProcessModifier([] {
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
      ::prctl(PR_CAPBSET_DROP, cap, 0, 0, 0);
  });
}

bool ZarvoProcess::Start(const QStringList& arguments) {
  process_.setProcessEnvironment(environment_);
  process_.start(Program(), arguments);
  return process_.waitForStarted(20000);
}

ZarvoWindows FindZarvoWindows() {
  ZarvoWindows w;
  w.main = FindWindow(QStringLiteral("Zarvo"), kMainSize);
  w.options = FindWindow(QStringLiteral("Options"), kOptionsSize);
  w.counter = FindWindow(QStringLiteral("Counter"), kMainSize);
  return w;
}

std::optional<ZarvoWindows> ZarvoProcess::WaitForWindows(int which, int timeoutMs) const {
  const auto complete = [which](const ZarvoWindows& w) {
    if (!w.main || ((which & Options) && !w.options) || ((which & Counter) && !w.counter))
      return false;
    return (which & OptionsDocked) != OptionsDocked ||
           (w.options->right() + 1 == w.main->left() && w.options->top() == w.main->top());
  };
  std::optional<ZarvoWindows> found;
  WaitUntil(
      [&] {
        if (process_.state() != QProcess::Running)
          return true;
        const ZarvoWindows w = FindZarvoWindows();
        if (complete(w))
          found = w;
        return found.has_value();
      },
      timeoutMs, 50); // each look starts xwininfo
  return found;
}

bool ZarvoProcess::Terminate(int timeoutMs) {
  if (process_.state() == QProcess::NotRunning)
    return true;
  process_.terminate();
  return process_.waitForFinished(timeoutMs);
}

void ZarvoProcess::Kill() {
  if (process_.state() == QProcess::NotRunning)
    return;
  process_.kill();
  process_.waitForFinished(30000);
}

bool ZarvoProcess::WriteSettings(const QByteArray& content) const {
  QFile f(SettingsFile());
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

QByteArray ZarvoProcess::ReadSettings() const {
  QFile f(SettingsFile());
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::optional<XWindow> FindBox(const QString& title, QSize notSize) {
  return FindXWindow(
      [&](const XWindow& w) { return w.name.startsWith(title) && w.geometry.size() != notSize; });
}

} // namespace zarvo::test

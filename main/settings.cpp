// The settings file's location and keys, and TForm1's load and save of the window layout and options.
#include "main/settings.h"

#include "counter/counter_window.h"
#include "framework/image_button.h"
#include "framework/profile_file.h"
#include "main/main_window.h"
#include "options/options_window.h"
#include "platform/platform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace zarvo {

namespace {

// Installed programs live in system folders; their settings never go there, even for root.
bool IsSystemFolder(const QString& folder) {
  const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  for (const char* system : {"/usr", "/bin", "/sbin"}) {
    const QString s = QString::fromLatin1(system);
    if (path == s || path.startsWith(s + QLatin1Char('/')))
      return true;
  }
  return false;
}

// Whether a new file can be made in the folder, tried for real: permission bits alone do not tell
// (a read-only mount, an access list, the superuser).
bool FolderTakesNewFiles(const QString& folder) {
  if (!QFileInfo(folder).isDir())
    return false;
  QTemporaryFile probe(folder + QStringLiteral("/.zarvo-probe-XXXXXX"));
  return probe.open();
}

QString ConfigFolder() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return base.isEmpty() ? QString() : base + QStringLiteral("/zarvo");
}

// The transparency levels that a stored alpha value stands for, as indexes of the level items
// (Disabled, Low, Mediu, Intermediar, Hight).
int LevelForAlpha(int alpha) {
  switch (alpha) {
  case 230: return 1;
  case 200: return 2;
  case 150: return 3;
  case 100: return 4;
  default: return -1;
  }
}

QRect PrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}

} // namespace

QString SettingsFilePath(const QString& executableDirectory, const QString& fileName) {
  const QString beside = executableDirectory + QLatin1Char('/') + fileName;
  if (QFileInfo::exists(beside))
    return beside;
  if (!IsSystemFolder(executableDirectory) && FolderTakesNewFiles(executableDirectory))
    return beside;
  const QString config = ConfigFolder();
  return config.isEmpty() ? beside : config + QLatin1Char('/') + fileName;
}

int ReadSetting(const QString& path, SettingId id, const LayoutFacts& facts) {
  const SettingKey& k = Setting(id);
  const QString section = QString::fromLatin1(k.section);
  const QString key = QString::fromLatin1(k.key);
  const int fallback = k.defaultValue(facts);
  if (k.type == SettingType::Boolean)
    return profile::ReadBool(path, section, key, fallback != 0) ? 1 : 0;
  return profile::ReadInteger(path, section, key, fallback);
}

namespace {

profile::Entry EntryFor(SettingId id, int value) {
  const SettingKey& k = Setting(id);
  const QByteArray text =
      k.type == SettingType::Boolean ? profile::EncodeBool(value != 0) : profile::EncodeInteger(value);
  return {QString::fromLatin1(k.section), QString::fromLatin1(k.key), QString::fromLatin1(text)};
}

} // namespace

bool WriteSetting(const QString& path, SettingId id, int value) {
  return profile::WriteStrings(path, {EntryFor(id, value)}) == 1;
}

bool WriteSettings(const QString& path, const std::function<int(SettingId)>& value) {
  QList<profile::Entry> entries;
  for (int i = 0; i < kSettingCount; ++i)
    entries << EntryFor(static_cast<SettingId>(i), value(static_cast<SettingId>(i)));
  return profile::WriteStrings(path, entries) == entries.size();
}

void TForm1::LoadSettings() {
  settingsLoaded_ = true;
  const QString path = SettingsFilePath(platform_.ExecutableDirectory(), SettingsFileName);
  const QRect screen = PrimaryScreen();
  // The satellites' defaults follow the main window as loaded so far. Its size is the fixed one: the
  // geometry's own width and height are computed from its far edges, out of range at the extremes.
  auto read = [&](SettingId id) {
    return ReadSetting(path, id, {screen, pos(), minimumSize(), FormOptions->minimumSize()});
  };

  // Stored positions are applied as they are, even far off the screen.
  const int left = read(SettingId::MainLeft);
  move(left, y());
  const int top = read(SettingId::MainTop);
  move(x(), top);

  // Toggles are applied by setting the opposite and running the toggle, so that check marks,
  // captions and frames follow as on a click.
  Showhelp1->setChecked(!read(SettingId::ShowHelp));
  Showhelp1Click();

  const bool force = read(SettingId::ForceShutDown1);
  ForceShutDown1->setChecked(!force);
  ForceShutDown = !force;
  ForceShutDown1Click();

  // Only the low byte counts; a byte that is one of the levels selects it for the whole group,
  // any other stays on the main window alone.
  const int alpha = read(SettingId::AlphaBlendValue) & 0xFF;
  SetAlphaBlendValue(alpha);
  if (const int level = LevelForAlpha(alpha); level >= 0)
    LevelItemsAlfa[level]->trigger();
  SetAlphaBlend(read(SettingId::AlphaBlend));
  if (!AlphaBlend())
    LevelItemsAlfa[0]->trigger(); // "Disabled"

  Showconfirmation1->setChecked(read(SettingId::Showconfirmation1));

  AlwaysOnTop = !read(SettingId::IsAlways);
  TopAlwaysClick();
  if (AlwaysOnTop)
    TopAlways_List.Draw(Frame::Pressed, TopAlways);

  // Shown only now, where it belongs, instead of jumping there from the middle of the screen; and
  // before its satellites, which name it as their leader when they are mapped (a window manager
  // that meets a satellite without a leader lists it on the taskbar). They come once its first
  // picture is on screen (FinishStart): mapped before it, they would hold it up.
  show();
  raise();
  activateWindow();
  if (!startFinished_) {
    group_.AwaitMainWindow();
    startFallback_.start();
  }

  FormCounter->SetLocked(read(SettingId::CounterIsLocked));
  const int counterLeft = read(SettingId::CounterLeft);
  const int counterTop = read(SettingId::CounterTop);
  FormCounter->MoveTo(counterLeft, counterTop);
  group_.SetWindowShown(FormCounter, !read(SettingId::CounterVisible));
  CounterClick();
  if (!WindowShown(FormCounter))
    hints_.ImageButtonUp(Counter_List, Counter);

  FormOptions->SetLocked(read(SettingId::OptionsIsLocked));
  const int optionsLeft = read(SettingId::OptionsLeft);
  const int optionsTop = read(SettingId::OptionsTop);
  FormOptions->MoveTo(optionsLeft, optionsTop);
  group_.SetWindowShown(FormOptions, !read(SettingId::OptionsVisible));
  OptionsClick();
  if (!WindowShown(FormOptions))
    hints_.ImageButtonUp(Options_List, Options);
}

void TForm1::SaveSettings() {
  if (!settingsLoaded_)
    return;
  const QString path = SettingsFilePath(platform_.ExecutableDirectory(), SettingsFileName);
  QDir().mkpath(QFileInfo(path).absolutePath());
  // A satellite that the minimised group (or the tray) took off the screen is still one the user
  // has shown.
  // The time-only view (a session ending while it is on) counts as left, as Exit leaves it: leaving
  // it shows both satellites.
  auto shown = [this](const QWidget* w) { return TimeOnlyView || WindowShown(w); };
  auto value = [&](SettingId id) -> int {
    switch (id) {
    case SettingId::MainLeft: return x();
    case SettingId::MainTop: return y();
    case SettingId::ShowHelp: return Showhelp1->isChecked();
    case SettingId::ForceShutDown1: return ForceShutDown1->isChecked(); // the check mark, not the flag
    case SettingId::AlphaBlendValue: return AlphaBlendValue();
    case SettingId::AlphaBlend: return AlphaBlend();
    case SettingId::Showconfirmation1: return Showconfirmation1->isChecked();
    case SettingId::IsAlways: return AlwaysOnTop;
    case SettingId::CounterLeft: return FormCounter->x();
    case SettingId::CounterTop: return FormCounter->y();
    case SettingId::CounterVisible: return shown(FormCounter);
    case SettingId::CounterIsLocked: return FormCounter->Locked();
    case SettingId::OptionsVisible: return shown(FormOptions);
    case SettingId::OptionsIsLocked: return FormOptions->Locked();
    case SettingId::OptionsLeft: return FormOptions->x();
    case SettingId::OptionsTop: return FormOptions->y();
    }
    return 0;
  };
  // One replacement of the file for all sixteen keys: a crash or a kill during the save leaves the
  // old file or the new one, never a layout that is half one and half the other (and the disk is
  // synced once instead of sixteen times).
  if (WriteSettings(path, value))
    return;
  // Where the whole file could not be written (a full disk, a size limit), the keys are written one
  // by one as far as they go: a failing write ends the save there, silently, and the keys written
  // before it stay written. A read-only folder or file takes none of them.
  for (int i = 0; i < kSettingCount; ++i)
    if (!WriteSetting(path, static_cast<SettingId>(i), value(static_cast<SettingId>(i))))
      return;
}

} // namespace zarvo

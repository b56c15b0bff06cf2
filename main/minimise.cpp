// Minimising the whole application, hiding it to the tray, and bringing it back.
#include "main/main_window.h"

#include "assets/skin.h"
#include "counter/counter_window.h"
#include "options/options_window.h"
#include "small_windows/time_window.h"

#include <QEvent>
#include <QLabel>

namespace zarvo {

namespace {

// Said in the hint line when Hide finds no notification area to go to.
const QString kNoTray = QStringLiteral("No system tray: minimized");

} // namespace

void TForm1::CreateTrayIcon() {
  CoolTrayIcon1.SetHint(QStringLiteral("Zarvo"));
  CoolTrayIcon1.SetShowHint(true);
  CoolTrayIcon1.SetIcon(PictureIcon({skin::kIcon16}));
  CoolTrayIcon1.SetIconVisible(false);
  CoolTrayIcon1.PopupMenu = PopupMenu1;
  CoolTrayIcon1.OnClick = [this](QObject*) { Guarded([this] { CoolTrayIcon1Click(); }); };
  CoolTrayIcon1.HideApplication = [this] { HideApplicationToTray(); };
  CoolTrayIcon1.Loaded();
}

void TForm1::MinimizeClick() { MinimizeApplication(); }

void TForm1::HideClick() {
  // Without a notification area the program would be left with no window, no taskbar entry and
  // no icon while its countdown may still shut the computer down: it is minimised instead.
  if (!TCoolTrayIcon::TrayAvailable()) {
    MinimizeApplication();
    if (!noTrayHintShown_) {
      noTrayHintShown_ = true;
      SetHint(kNoTray, true);
      notice_ = true;
    }
    return;
  }
  CoolTrayIcon1.MinimizeToTray = true;
  MinimizeApplication();
  CoolTrayIcon1.SetIconVisible(true);
}

void TForm1::CoolTrayIcon1Click() {
  CoolTrayIcon1.MinimizeToTray = false;
  CoolTrayIcon1.SetIconVisible(false);
  RestoreApplication();
}

void TForm1::MinimizeApplication() {
  applicationMinimised_ = true;
  if (CoolTrayIcon1.ApplicationMinimizing())
    return;
  showMinimized();
}

void TForm1::RestoreApplication() {
  applicationMinimised_ = false;
  if (!trayWindows_.isEmpty()) {
    const QList<QWidget*> windows = std::exchange(trayWindows_, {});
    for (QWidget* w : windows)
      w->show();
    if (isVisible()) {
      raise();
      activateWindow();
    }
    return;
  }
  if (isMinimized())
    showNormal(); // the satellites follow in changeEvent
}

void TForm1::HideApplicationToTray() {
  // Windows an earlier minimise put away come back with the others.
  QList<QWidget*> windows = std::exchange(minimisedWindows_, {});
  if (isMinimized())
    setWindowState(windowState() & ~Qt::WindowMinimized);
  for (QWidget* w : std::initializer_list<QWidget*>{this, FormOptions, FormCounter, FormTime})
    if (w && w->isVisible() && !windows.contains(w))
      windows << w;
  for (QWidget* w : windows)
    w->hide();
  // The main window first, so it comes back under its satellites.
  std::stable_partition(windows.begin(), windows.end(), [this](QWidget* w) { return w == this; });
  trayWindows_ += windows;
}

bool TForm1::WindowShown(const QWidget* window) const {
  return window->isVisible() || trayWindows_.contains(window) || minimisedWindows_.contains(window);
}

void TForm1::changeEvent(QEvent* event) {
  SkinnedWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange)
    return;
  // The group minimises and comes back together: the satellites follow the main window. The
  // message window stays where it is, on top, until the user closes it.
  if (isMinimized()) {
    // Minimised by the desktop while the tray is the place to go.
    if (CoolTrayIcon1.ApplicationMinimizing()) {
      applicationMinimised_ = true;
      return;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{FormOptions, FormCounter})
      if (w && w->isVisible()) {
        minimisedWindows_ << w;
        w->hide();
      }
    return;
  }
  applicationMinimised_ = false;
  if (!minimisedWindows_.isEmpty()) {
    const QList<QWidget*> windows = std::exchange(minimisedWindows_, {});
    for (QWidget* w : windows)
      w->show();
  }
}

} // namespace zarvo

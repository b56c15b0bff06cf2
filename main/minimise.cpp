// The main window's Minimize and Hide buttons and the tray icon: the window group does the work.
#include "main/main_window.h"

#include "assets/skin.h"
#include "small_windows/time_window.h"

#include <QEvent>

namespace zarvo {

namespace {

// Said in the hint line when Hide finds no notification area to go to.
const QString kNoTray = QStringLiteral("No system tray: minimized");

} // namespace

void TForm1::CreateTrayIcon() {
  CoolTrayIcon1.SetHint(QStringLiteral("Zarvo"));
  CoolTrayIcon1.SetShowHint(true);
  CoolTrayIcon1.SetIcon(PictureIcon({skin::kIcon16}, SharpPictures::Always));
  CoolTrayIcon1.SetIconVisible(false);
  CoolTrayIcon1.PopupMenu = PopupMenu1;
  CoolTrayIcon1.OnClick = [this](QObject*) { Guarded([this] { CoolTrayIcon1Click(); }); };
  CoolTrayIcon1.HideApplication = [this] { group_.HideToTray(); };
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
      hints_.SetNotice(kNoTray);
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

void TForm1::BringToFront() {
  if (CoolTrayIcon1.IconVisible())
    CoolTrayIcon1Click();
  else if (group_.ApplicationMinimised())
    RestoreApplication();
  // The time-only view stands in for the main window while it is on.
  QWidget* front = TimeOnlyView ? static_cast<QWidget*>(FormTime) : this;
  if (front->isMinimized())
    front->showNormal();
  front->raise();
  front->activateWindow();
}

void TForm1::changeEvent(QEvent* event) {
  SkinnedWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange)
    group_.MainStateChanged();
}

} // namespace zarvo

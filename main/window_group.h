// The group of windows that act together: the main, Options, Counter and Time windows. Transparency
// and stay-on-top change on all four at once; minimise, hide to the tray and restore take the group
// off the screen and bring back exactly what was shown; the time-only view swaps the three large
// windows for the Time window and back.
#pragma once

#include <QList>
#include <QObject>

namespace zarvo {

class SkinnedWindow;
class TCoolTrayIcon;

class WindowGroup final : public QObject {
  Q_OBJECT
public:
  WindowGroup(SkinnedWindow& main, TCoolTrayIcon& tray);

  // The windows made after the main window.
  void Attach(SkinnedWindow* options, SkinnedWindow* counter, SkinnedWindow* time);

  void SetTransparency(int alpha, bool blend);
  void SetStayOnTop(bool on);

  // The whole group off the screen: to the tray while the tray icon's MinimizeToTray is set, else
  // minimised. RestoreApplication brings back what was shown, in front.
  void MinimizeApplication();
  void RestoreApplication();
  // Minimised by the program's own Minimize or Hide button (the whole application), as opposed to
  // the main window alone being minimised by the desktop.
  bool ApplicationMinimised() const { return applicationMinimised_; }
  // The tray icon asks for the group to leave the screen.
  void HideToTray();
  // The main window's minimised state changed (the desktop or the program did it): the satellites
  // follow it.
  void MainStateChanged();

  // Whether a window of the group is shown, or was shown when the group was minimised or hidden to
  // the tray (so that it comes back).
  bool WindowShown(const QWidget* window) const;
  // Shows or hides a satellite, or records it for the group's return while the group is away.
  void SetWindowShown(QWidget* window, bool shown);

  // While the program starts, the satellites wait for the main window's first picture, which they
  // would otherwise hold up: a satellite shown meanwhile is recorded, as for a group that is away,
  // and appears with ShowAwaitedWindows, without taking the focus from the main window.
  void AwaitMainWindow() { awaiting_ = true; }
  void ShowAwaitedWindows();

  // The time-only view: the Time window stands in for the main window and its satellites. Leaving
  // it brings the full view back, shown, not minimised and in front, whatever the desktop did to
  // the main window meanwhile.
  void ShowTimeOnly(bool on);

private:
  QList<SkinnedWindow*> Windows() const;
  bool Away() const { return !trayWindows_.isEmpty() || !minimisedWindows_.isEmpty(); }

  SkinnedWindow& main_;
  TCoolTrayIcon& tray_;
  SkinnedWindow* options_ = nullptr;
  SkinnedWindow* counter_ = nullptr;
  SkinnedWindow* time_ = nullptr;
  bool applicationMinimised_ = false;
  // The group's windows that were shown when the application was minimised.
  QList<QWidget*> minimisedWindows_;
  // The group's windows that were shown when the application went to the tray.
  QList<QWidget*> trayWindows_;
  // Satellites shown while the program starts (AwaitMainWindow).
  bool awaiting_ = false;
  QList<QWidget*> awaitedWindows_;
};

} // namespace zarvo

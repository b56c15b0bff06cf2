#include "main/window_group.h"

#include "components/tray_icon.h"
#include "framework/skinned_window.h"

#include <algorithm>
#include <utility>

namespace zarvo {

WindowGroup::WindowGroup(SkinnedWindow& main, TCoolTrayIcon& tray) : main_(main), tray_(tray) {}

void WindowGroup::Attach(SkinnedWindow* options, SkinnedWindow* counter, SkinnedWindow* time) {
  options_ = options;
  counter_ = counter;
  time_ = time;
}

QList<SkinnedWindow*> WindowGroup::Windows() const {
  QList<SkinnedWindow*> windows{&main_};
  for (SkinnedWindow* w : {options_, counter_, time_})
    if (w)
      windows << w;
  return windows;
}

void WindowGroup::SetTransparency(int alpha, bool blend) {
  for (SkinnedWindow* w : Windows()) {
    w->SetAlphaBlend(blend);
    w->SetAlphaBlendValue(alpha);
  }
}

void WindowGroup::SetStayOnTop(bool on) {
  for (SkinnedWindow* w : Windows())
    w->SetStayOnTop(on);
}

void WindowGroup::MinimizeApplication() {
  applicationMinimised_ = true;
  if (tray_.ApplicationMinimizing())
    return;
  main_.showMinimized();
}

void WindowGroup::RestoreApplication() {
  applicationMinimised_ = false;
  if (!trayWindows_.isEmpty()) {
    const QList<QWidget*> windows = std::exchange(trayWindows_, {});
    for (QWidget* w : windows)
      w->show();
    if (main_.isVisible()) {
      main_.raise();
      main_.activateWindow();
    }
    return;
  }
  if (main_.isMinimized())
    main_.showNormal(); // the satellites follow in MainStateChanged
}

void WindowGroup::HideToTray() {
  // Windows an earlier minimise put away, or the start has not shown yet, come back with the others.
  QList<QWidget*> windows = std::exchange(minimisedWindows_, {});
  windows += std::exchange(awaitedWindows_, {});
  if (main_.isMinimized())
    main_.setWindowState(main_.windowState() & ~Qt::WindowMinimized);
  for (SkinnedWindow* w : Windows())
    if (w->isVisible() && !windows.contains(w))
      windows << w;
  for (QWidget* w : windows)
    w->hide();
  // The main window first, so it comes back under its satellites.
  std::stable_partition(windows.begin(), windows.end(), [this](QWidget* w) { return w == &main_; });
  trayWindows_ += windows;
}

void WindowGroup::MainStateChanged() {
  // The group minimises and comes back together: the satellites follow the main window. The
  // message window stays where it is, on top, until the user closes it.
  if (main_.isMinimized()) {
    // Minimised by the desktop while the tray is the place to go.
    if (tray_.ApplicationMinimizing()) {
      applicationMinimised_ = true;
      return;
    }
    for (SkinnedWindow* w : {options_, counter_})
      if (w && w->isVisible()) {
        minimisedWindows_ << w;
        w->hide();
      }
    minimisedWindows_ += std::exchange(awaitedWindows_, {});
    return;
  }
  applicationMinimised_ = false;
  if (!minimisedWindows_.isEmpty()) {
    const QList<QWidget*> windows = std::exchange(minimisedWindows_, {});
    for (QWidget* w : windows)
      w->show();
  }
}

bool WindowGroup::WindowShown(const QWidget* window) const {
  return window->isVisible() || trayWindows_.contains(window) || minimisedWindows_.contains(window) ||
         awaitedWindows_.contains(window);
}

void WindowGroup::SetWindowShown(QWidget* window, bool shown) {
  if (!Away() && !awaiting_) {
    window->setVisible(shown);
    return;
  }
  // The group is in the tray or minimised, or the start waits for the main window: the window
  // follows the group when it comes back, or the main window when it is on screen.
  QList<QWidget*>& list = !trayWindows_.isEmpty()        ? trayWindows_
                          : !minimisedWindows_.isEmpty() ? minimisedWindows_
                                                         : awaitedWindows_;
  list.removeAll(window);
  if (shown)
    list << window;
}

void WindowGroup::ShowAwaitedWindows() {
  awaiting_ = false;
  const QList<QWidget*> windows = std::exchange(awaitedWindows_, {});
  if (windows.isEmpty())
    return;
  // Shown without taking the focus, which the main window was given when it was shown: asked for
  // again now, the activation could reach the window manager after the user's first click, and
  // undo a Minimize.
  for (QWidget* w : windows) {
    const bool quiet = w->testAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->show();
    w->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
  }
  if (main_.isVisible())
    main_.raise();
}

void WindowGroup::ShowTimeOnly(bool on) {
  // Either way the satellites' state is settled here.
  awaitedWindows_.clear();
  if (on) {
    time_->show();
    main_.hide();
    options_->hide();
    counter_->hide();
    return;
  }
  time_->hide();
  // Whatever happened to the main window meanwhile (minimised from the task list, restored by the
  // desktop without telling), the full view comes back on screen and in front.
  minimisedWindows_.clear();
  applicationMinimised_ = false;
  if (main_.windowState() & Qt::WindowMinimized)
    main_.setWindowState(main_.windowState() & ~Qt::WindowMinimized);
  main_.show();
  options_->show();
  counter_->show();
  main_.raise();
  main_.activateWindow();
}

} // namespace zarvo

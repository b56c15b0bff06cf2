#include "framework/skinned_window.h"

#include "framework/image_button.h"
#include "framework/image_list.h"
#include "platform/window_hints.h"

#include <QMouseEvent>
#include <QWindow>

namespace zarvo {

SkinnedWindow::SkinnedWindow(const QString& name, const QString& caption, QSize clientSize,
                             Qt::WindowFlags extraFlags, WindowRole role)
    : QWidget(nullptr, (role == WindowRole::Satellite ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint |
                           extraFlags),
      role_(role) {
  // Closing a window that accompanies the main window (the desktop lets the user close any window)
  // never ends the program, also while the main window is hidden.
  if (role != WindowRole::Main)
    setAttribute(Qt::WA_QuitOnClose, false);
  setObjectName(name);
  setWindowTitle(caption);
  setFixedSize(clientSize);
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0, 128, 0));
  setPalette(pal);
}

void SkinnedWindow::MoveTo(int left, int top) {
  move(left, y());
  move(left, top);
}

void SkinnedWindow::SetStayOnTop(bool on) {
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
    return;
  const bool visible = isVisible();
  const QPoint position = pos();
  setWindowFlag(Qt::WindowStaysOnTopHint, on); // re-creates the native window and hides it
  move(position);
  if (visible)
    show();
}

void SkinnedWindow::SetAlphaBlendValue(int value) {
  alphaBlendValue_ = qBound(0, value, 255);
  ApplyOpacity();
}

void SkinnedWindow::SetAlphaBlend(bool on) {
  alphaBlend_ = on;
  ApplyOpacity();
}

void SkinnedWindow::ApplyOpacity() { setWindowOpacity(alphaBlend_ ? alphaBlendValue_ / 255.0 : 1.0); }

void SkinnedWindow::mousePressEvent(QMouseEvent* event) {
  BackgroundPress(event);
  QWidget::mousePressEvent(event);
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event) { BackgroundMove(event); }

void SkinnedWindow::showEvent(QShowEvent* event) {
  // Sent before the native window is mapped, each time: the window manager forgets a window's state
  // when it is hidden, and the leader's native window may have been created anew meanwhile.
  if (role_ != WindowRole::Main && !event->spontaneous()) {
    // A dialog whose leader the window manager does not know counts as a window of its own (Mutter
    // then lists it on the taskbar whatever it asks): a hidden leader is named once it is shown.
    if (windowHandle())
      windowHandle()->setTransientParent(leader_ && leader_->isVisible() ? leader_->windowHandle() : nullptr);
    KeepOffTaskbar(windowHandle());
  }
  if (!event->spontaneous()) {
    // Only the main window is ever shown minimised. The others can carry a minimise the desktop gave
    // them together with the main window just before the program hid them, and the toolkit would
    // map them minimised again.
    if (role_ != WindowRole::Main && isMinimized())
      setWindowState(windowState() & ~Qt::WindowMinimized);
    if (wasMinimised_ && !isMinimized()) {
      StartNotMinimised(windowHandle());
      wasMinimised_ = false;
    }
  }
  QWidget::showEvent(event);
}

void SkinnedWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && isMinimized())
    wasMinimised_ = true;
  QWidget::changeEvent(event);
}

void SkinnedWindow::StayWith(QWidget* leader) {
  leader_ = leader;
  leader->installEventFilter(this);
}

bool SkinnedWindow::eventFilter(QObject* watched, QEvent* event) {
  // The leader's Show comes before its native window is mapped; the satellite names it as its leader
  // after that.
  if (watched == leader_ && event->type() == QEvent::Show)
    QMetaObject::invokeMethod(this, &SkinnedWindow::FollowLeader, Qt::QueuedConnection);
  return QWidget::eventFilter(watched, event);
}

void SkinnedWindow::FollowLeader() {
  if (!leader_ || !leader_->isVisible() || !isVisible() || !windowHandle() || !leader_->windowHandle())
    return;
  windowHandle()->setTransientParent(leader_->windowHandle());
  KeepWith(windowHandle(), leader_->windowHandle());
}

void SkinnedWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  update();
}

void SkinnedWindow::BackgroundPress(QMouseEvent* event) { anchor_ = event->globalPosition().toPoint(); }

void SkinnedWindow::BackgroundMove(QMouseEvent* event) {
  const QPoint global = event->globalPosition().toPoint();
  if (event->buttons() & Qt::LeftButton) {
    const QPoint delta = global - anchor_;
    anchor_ = global; // the window moved with the pointer, so the pointer keeps its place in it
    if (!delta.isNull())
      DragStep(delta.x(), delta.y());
    return;
  }
  anchor_ = global;
  BackgroundHover();
}

TitleFrame AddTitleFrame(QWidget* window, const SkinPictures& skin, const QString& titlePicture,
                         const QString& closeHint) {
  TitleFrame f{};
  f.TitleBar = new ImageControl(window, QStringLiteral("TitleBar"), QRect(0, 0, 200, 30));
  f.TitleBar->SetPicture(skin.titleBar);
  f.Title = new ImageControl(window, QStringLiteral("Title"), QRect(15, 0, 110, 25));
  f.Title->SetPicture(LoadPicture(titlePicture, QSize(110, 25)));
  f.CloseButton = new ImageButton(window, QStringLiteral("CloseButton"), QPoint(173, -1), closeHint);
  f.CloseButton->SetPicture(skin.closeButton);
  return f;
}

} // namespace zarvo

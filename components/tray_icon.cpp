#include "components/tray_icon.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

#include <algorithm>
#include <climits>

namespace zarvo {

namespace {

// The tray's tooltip field holds 63 characters and its terminator.
constexpr int kTipLength = 63;

} // namespace

QString TrayTip(const QString& hint, bool showHint) { return showHint ? hint.left(kTipLength) : QString(); }

TCoolTrayIcon::TCoolTrayIcon(QObject* owner) : QObject(owner) {
  setObjectName(QStringLiteral("CoolTrayIcon1"));
  cycleTimer_.setInterval(0);
  connect(&cycleTimer_, &QTimer::timeout, this, &TCoolTrayIcon::CycleStep);
  connect(&tray_, &QSystemTrayIcon::activated, this, &TCoolTrayIcon::Activated);
}

TCoolTrayIcon::~TCoolTrayIcon() { HideIcon(); }

bool TCoolTrayIcon::TrayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TCoolTrayIcon::SetHint(const QString& hint) {
  hint_ = hint;
  ModifyIcon();
}

void TCoolTrayIcon::SetShowHint(bool on) {
  showHint_ = on;
  ModifyIcon();
}

void TCoolTrayIcon::SetIcon(const QIcon& icon) {
  icon_ = icon;
  ModifyIcon();
}

void TCoolTrayIcon::SetIconVisible(bool visible) {
  if (visible)
    ShowIcon();
  else
    HideIcon();
}

void TCoolTrayIcon::SetIconList(const QList<QIcon>& list) {
  iconList_ = list;
  SetIconIndex(0);
}

void TCoolTrayIcon::SetIconIndex(int index) {
  if (iconList_.isEmpty()) {
    iconIndex_ = 0;
    return;
  }
  iconIndex_ = std::clamp(index, 0, static_cast<int>(iconList_.size()) - 1);
  icon_ = iconList_.at(iconIndex_);
  ModifyIcon();
}

void TCoolTrayIcon::SetCycleIcons(bool on) {
  cycleIcons_ = on;
  if (on)
    SetIconIndex(0);
  UpdateCycleTimer();
}

void TCoolTrayIcon::SetCycleInterval(uint ms) {
  cycleInterval_ = ms;
  cycleTimer_.setInterval(static_cast<int>(std::min<uint>(ms, INT_MAX)));
  UpdateCycleTimer();
}

// An interval of 0 keeps the timer still rather than spinning on every turn of the event loop.
void TCoolTrayIcon::UpdateCycleTimer() {
  if (cycleIcons_ && cycleInterval_ > 0)
    cycleTimer_.start();
  else
    cycleTimer_.stop();
}

bool TCoolTrayIcon::ShowIcon() {
  iconVisible_ = true;
  ModifyIcon();
  if (icon_.isNull())
    return false; // the tray takes no icon without a picture
  // The item carries the menu itself: some trays (Xfce's) ask the item for its menu and open it
  // themselves rather than passing the right click on. The tray reads the menu's captions and check
  // marks as they are when it opens it.
  if (tray_.contextMenu() != PopupMenu)
    tray_.setContextMenu(PopupMenu);
  tray_.show();
  return TrayAvailable();
}

bool TCoolTrayIcon::HideIcon() {
  iconVisible_ = false;
  ModifyIcon();
  const bool wasShown = tray_.isVisible();
  tray_.hide();
  return wasShown;
}

bool TCoolTrayIcon::ModifyIcon() {
  if (tray_.icon().cacheKey() != icon_.cacheKey())
    tray_.setIcon(icon_);
  const QString tip = TrayTip(hint_, showHint_);
  if (tray_.toolTip() != tip)
    tray_.setToolTip(tip);
  return tray_.isVisible();
}

void TCoolTrayIcon::Loaded() {
  if (StartMinimized && HideApplication)
    HideApplication();
  ModifyIcon();
  SetIconVisible(iconVisible_);
}

bool TCoolTrayIcon::ApplicationMinimizing() {
  if (!MinimizeToTray)
    return false;
  if (HideApplication)
    HideApplication();
  ShowIcon();
  return true;
}

void TCoolTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  // A report that arrives after the icon left the tray (the second half of a double click whose
  // first click removed it) belongs to no icon.
  if (!Enabled || !iconVisible_)
    return;
  const Qt::KeyboardModifiers shift = QGuiApplication::queryKeyboardModifiers();
  const QPoint at = QCursor::pos();
  auto mouse = [this, shift, at](const TMouseEvent& event, Qt::MouseButton button) {
    if (event)
      event(this, button, shift, at);
  };
  switch (reason) {
  case QSystemTrayIcon::Trigger:
    mouse(OnMouseDown, Qt::LeftButton);
    if (LeftPopup)
      OpenPopupMenu();
    if (OnClick)
      OnClick(this);
    mouse(OnMouseUp, Qt::LeftButton);
    break;
  case QSystemTrayIcon::DoubleClick:
    if (OnDblClick)
      OnDblClick(this);
    if (PopupMenu && !LeftPopup)
      if (QAction* item = PopupMenu->defaultAction())
        item->trigger();
    break;
  case QSystemTrayIcon::Context:
    mouse(OnMouseDown, Qt::RightButton);
    OpenPopupMenu();
    mouse(OnMouseUp, Qt::RightButton);
    break;
  case QSystemTrayIcon::MiddleClick:
    mouse(OnMouseDown, Qt::MiddleButton);
    mouse(OnMouseUp, Qt::MiddleButton);
    break;
  case QSystemTrayIcon::Unknown: break;
  }
}

void TCoolTrayIcon::OpenPopupMenu() {
  // The XEmbed tray has already opened the menu the item carries when it reports the right click.
  if (!PopupMenu || PopupMenu->isVisible())
    return;
  PopupMenu->popup(QCursor::pos());
}

void TCoolTrayIcon::CycleStep() {
  if (iconList_.isEmpty())
    return;
  icon_ = iconList_.at(iconIndex_);
  const int next = iconIndex_ + 1 < iconList_.size() ? iconIndex_ + 1 : 0;
  if (OnCycle)
    OnCycle(this, next);
  ModifyIcon();
  SetIconIndex(next);
}

} // namespace zarvo

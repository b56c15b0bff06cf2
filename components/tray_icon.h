// TCoolTrayIcon: the program's icon in the desktop's notification area (a StatusNotifierItem or the
// XEmbed tray, through QSystemTrayIcon) with its tooltip, its menu, mouse events and icon cycling.
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

class QMenu;

namespace zarvo {

// The tooltip the tray shows for a hint: cut to 63 characters while `showHint` is on, none otherwise.
QString TrayTip(const QString& hint, bool showHint);

class TCoolTrayIcon : public QObject {
  Q_OBJECT
public:
  explicit TCoolTrayIcon(QObject* owner = nullptr);
  // The icon leaves the tray.
  ~TCoolTrayIcon() override;

  // Whether the desktop has a notification area at all.
  static bool TrayAvailable();

  // --- Plain fields ---
  bool DesignPreview = false; // kept for the component's shape; there is no designer here
  bool Enabled = true;        // false: the icon's clicks do nothing
  QMenu* PopupMenu = nullptr; // handed to the tray each time the icon is shown
  bool LeftPopup = false;     // the left button opens the menu too
  bool StartMinimized = false;
  bool MinimizeToTray = false; // the application's minimise goes to the tray

  // --- Properties whose writers act ---
  QString Hint() const { return hint_; }
  void SetHint(const QString& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);
  QIcon Icon() const { return icon_; }
  void SetIcon(const QIcon& icon);
  bool IconVisible() const { return iconVisible_; }
  // Shows (true) or removes (false) the icon, also when the value does not change.
  void SetIconVisible(bool visible);
  const QList<QIcon>& IconList() const { return iconList_; }
  // An empty list is no list.
  void SetIconList(const QList<QIcon>& list);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool on);
  uint CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(uint ms);

  // --- Operations; each hands the current icon and tooltip to the tray first ---
  virtual bool ShowIcon();
  virtual bool HideIcon();
  virtual bool ModifyIcon();
  // Called by the owner once it has set its stored values.
  void Loaded();

  // The application is being minimised: with MinimizeToTray it goes to the tray instead (the
  // owner's HideApplication, then the icon shows). Returns whether it went to the tray.
  bool ApplicationMinimizing();

  // --- Events; an unassigned one does nothing ---
  using TNotifyEvent = std::function<void(QObject* sender)>;
  using TMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                         QPoint screen)>;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  // Neither tray protocol reports pointer moves over the icon, so this is never raised here.
  std::function<void(QObject* sender, Qt::KeyboardModifiers shift, QPoint screen)> OnMouseMove;
  std::function<void(QObject* sender, int nextIndex)> OnCycle;

  // Takes the whole application off the screen and the taskbar; set by the owner.
  std::function<void()> HideApplication;

  // What the tray reported for the icon. The trays report whole clicks: a press is raised just
  // before the click it belongs to, the release just after.
  void Activated(QSystemTrayIcon::ActivationReason reason);

  // The tray icon as the desktop sees it.
  const QSystemTrayIcon& SystemTrayIcon() const { return tray_; }

private:
  void OpenPopupMenu();
  void CycleStep();
  void UpdateCycleTimer();

  QSystemTrayIcon tray_;
  QTimer cycleTimer_;
  QString hint_;
  bool showHint_ = false;
  QIcon icon_;
  bool iconVisible_ = true;
  QList<QIcon> iconList_;
  int iconIndex_ = 0;
  bool cycleIcons_ = false;
  uint cycleInterval_ = 0;
};

} // namespace zarvo

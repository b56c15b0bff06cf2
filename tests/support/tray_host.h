// A stand-in for the desktop's tray on the test's session bus: the small StatusNotifierWatcher of
// sni_watcher.py, and what a tray reads from and calls on the items that register with it.
#pragma once

#include <QDBusMessage>
#include <QProcess>
#include <QStringList>

namespace zarvo::test {

class TrayHost {
public:
  ~TrayHost(); // stops the watcher

  // Starts the watcher and waits until it owns its name on the session bus.
  bool Start();

  // The registered items as "bus name/object path", oldest first.
  QStringList Items() const;

  // The title of an item's tooltip (its ToolTip property), or a text that says what went wrong.
  QString ToolTipTitle(const QString& item) const;
  // A plain property of the item's org.kde.StatusNotifierItem interface.
  QVariant Property(const QString& item, const QString& name) const;

  // What a tray does on a click: Activate (left), ContextMenu (right), SecondaryActivate (middle).
  QDBusMessage Call(const QString& item, const QString& method, int x = 0, int y = 0) const;

private:
  QProcess process_;
};

} // namespace zarvo::test

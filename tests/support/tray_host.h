// A stand-in for the desktop's tray on the test's session bus: the small StatusNotifierWatcher of
// sni_watcher.py, and what a tray reads from and calls on the items that register with it.
#pragma once

#include <QDBusMessage>
#include <QList>
#include <QProcess>
#include <QStringList>

namespace zarvo::test {

// One entry of the menu an item exports (com.canonical.dbusmenu), with its submenu.
struct TrayMenuEntry {
  int id = 0;
  QString label;        // "" for a separator
  QString toggleType;   // "checkmark", "radio" or ""
  int toggleState = -1; // 1 on, 0 off, -1 neither
  bool enabled = true;
  QList<TrayMenuEntry> children;

  // The entry reached by a path of labels ("Run", "Shut Down"), or nothing.
  const TrayMenuEntry* Find(const QStringList& labels) const;
};

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

  // The whole menu the item exports, read as a tray reads it when it opens the menu; an entry
  // without children when the item exports none. `error` says why not.
  TrayMenuEntry Menu(const QString& item, QString* error) const;
  // What a tray sends when the user clicks the menu entry `id`.
  QDBusMessage ClickMenuEntry(const QString& item, int id) const;

private:
  QProcess process_;
};

} // namespace zarvo::test

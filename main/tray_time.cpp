// The time left in the tray icon's tooltip while a countdown runs.
#include "main/main_window.h"

namespace zarvo {

void TForm1::ShowTimeInTray(const QString& remaining) {
  // An icon out of the tray needs no tooltip; the first tick after Hide gives it one.
  if (!remaining.isEmpty() && !CoolTrayIcon1.IconVisible())
    return;
  const QString hint = remaining.isEmpty() ? QStringLiteral("Zarvo") : QStringLiteral("Zarvo\n") + remaining;
  // The text changes once a second, the tick comes every 400 ms: the tray hears only of changes.
  if (CoolTrayIcon1.Hint() != hint)
    CoolTrayIcon1.SetHint(hint);
}

} // namespace zarvo

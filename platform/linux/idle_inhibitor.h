// Keeps the desktop from going idle while held: the screen saver's inhibitor (KDE, Xfce and
// others), GNOME's session manager with the idle flag, and a logind "idle" lock, each where present.
#pragma once

#include "platform/linux/pending_calls.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <optional>

namespace zarvo {

class IdleInhibitor final : public QObject {
  Q_OBJECT
public:
  // `session` carries the screen saver and the session manager, `system` logind.
  IdleInhibitor(const QDBusConnection& session, const QDBusConnection& system, QObject* parent = nullptr);
  ~IdleInhibitor() override;

  // Takes every inhibitor the desktop offers; a second call while held does nothing.
  void Inhibit(const QString& reason);
  // Gives them back, also those whose grant is still on its way.
  void Uninhibit();

  // How many of the three are held right now, and whether answers are still awaited (for tests).
  int HeldCount() const;
  bool Busy() const { return !calls_.IsEmpty(); }

private:
  void ReleaseHeld();

  QDBusConnection session_;
  QDBusConnection system_;
  PendingCalls calls_;
  bool wanted_ = false;
  // Counts the requests: a grant that arrives after a later Uninhibit is given straight back.
  quint64 generation_ = 0;
  std::optional<quint32> screenSaverCookie_;
  std::optional<quint32> sessionManagerCookie_;
  // logind keeps the lock while this descriptor is open.
  QDBusUnixFileDescriptor logindLock_;
};

} // namespace zarvo

// Names and time limits of the D-Bus conversation with systemd-logind.
#pragma once

#include <QDBusMessage>
#include <QLatin1String>
#include <QString>

namespace zarvo {
namespace logind {

inline constexpr QLatin1String Service{"org.freedesktop.login1"};
inline constexpr QLatin1String Path{"/org/freedesktop/login1"};
inline constexpr QLatin1String ManagerInterface{"org.freedesktop.login1.Manager"};
inline constexpr QLatin1String SessionInterface{"org.freedesktop.login1.Session"};
inline constexpr QLatin1String SessionPathPrefix{"/org/freedesktop/login1/session/"};

// A power request may wait for polkit to ask the user for a password.
inline constexpr int PowerRequestTimeoutMs = 120000;
// Look-ups answered by the bus or by logind without asking anybody.
inline constexpr int LookupTimeoutMs = 5000;
// A session manager that starts its log-off may take a moment to answer.
inline constexpr int SessionManagerTimeoutMs = 30000;

} // namespace logind

// A method call on logind's Manager object that allows interactive authorization.
QDBusMessage LogindManagerCall(const QString& method);

} // namespace zarvo

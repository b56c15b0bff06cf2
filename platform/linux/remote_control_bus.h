// The session bus side of the remote control: the object org.zarvo.Zarvo1 at /org/zarvo/Zarvo that
// turns its method calls into calls on RemoteControl, and the program's state changes into signals.
#pragma once

#include "platform/remote_control.h"

#include <QDBusContext>
#include <QObject>

#include <functional>

namespace zarvo {

inline constexpr char kRemoteService[] = "org.zarvo.Zarvo";
inline constexpr char kRemotePath[] = "/org/zarvo/Zarvo";
inline constexpr char kRemoteInterface[] = "org.zarvo.Zarvo1";
inline constexpr char kNotCountingError[] = "org.zarvo.Zarvo1.Error.NotCounting";
inline constexpr char kCountingError[] = "org.zarvo.Zarvo1.Error.Counting";
inline constexpr char kInvalidArgsError[] = "org.freedesktop.DBus.Error.InvalidArgs";

class RemoteControlObject final : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.zarvo.Zarvo1")
  // What the bus introspects; the manual page shows it.
  Q_CLASSINFO("D-Bus Introspection", "  <interface name=\"org.zarvo.Zarvo1\">\n"
                                     "    <method name=\"Start\">\n"
                                     "      <arg name=\"mode\" type=\"s\" direction=\"in\"/>\n"
                                     "      <arg name=\"time\" type=\"s\" direction=\"in\"/>\n"
                                     "      <arg name=\"actions\" type=\"a{ss}\" direction=\"in\"/>\n"
                                     "      <arg name=\"replace\" type=\"b\" direction=\"in\"/>\n"
                                     "    </method>\n"
                                     "    <method name=\"Stop\"/>\n"
                                     "    <method name=\"Postpone\">\n"
                                     "      <arg name=\"seconds\" type=\"u\" direction=\"in\"/>\n"
                                     "    </method>\n"
                                     "    <method name=\"GetState\">\n"
                                     "      <arg name=\"running\" type=\"b\" direction=\"out\"/>\n"
                                     "      <arg name=\"mode\" type=\"s\" direction=\"out\"/>\n"
                                     "      <arg name=\"target\" type=\"s\" direction=\"out\"/>\n"
                                     "      <arg name=\"remaining\" type=\"u\" direction=\"out\"/>\n"
                                     "      <arg name=\"actions\" type=\"as\" direction=\"out\"/>\n"
                                     "    </method>\n"
                                     "    <method name=\"Activate\"/>\n"
                                     "    <signal name=\"StateChanged\">\n"
                                     "      <arg name=\"running\" type=\"b\"/>\n"
                                     "      <arg name=\"mode\" type=\"s\"/>\n"
                                     "      <arg name=\"target\" type=\"s\"/>\n"
                                     "      <arg name=\"remaining\" type=\"u\"/>\n"
                                     "      <arg name=\"actions\" type=\"as\"/>\n"
                                     "    </signal>\n"
                                     "    <signal name=\"Expired\">\n"
                                     "      <arg name=\"actions\" type=\"as\"/>\n"
                                     "    </signal>\n"
                                     "  </interface>\n")
public:
  explicit RemoteControlObject(RemoteControl& control);

public slots:
  void Start(const QString& mode, const QString& time, const QMap<QString, QString>& actions, bool replace);
  void Stop();
  void Postpone(uint seconds);
  bool GetState(QString& mode, QString& target, uint& remaining, QStringList& actions);
  void Activate();

signals:
  void StateChanged(bool running, const QString& mode, const QString& target, uint remaining,
                    const QStringList& actions);
  void Expired(const QStringList& actions);

private:
  // Answers the call with the refusal's error, if there is one.
  void Answer(const RemoteRefusal& refusal);
  void Guarded(const std::function<RemoteRefusal()>& request);

  RemoteControl& control_;
};

} // namespace zarvo

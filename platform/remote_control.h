// The running program as the other programs of the user's session reach it: one Zarvo per session,
// and its countdown driven from scripts. The bus itself is the back end's; this is what both sides
// of it say.
#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace zarvo {

// The countdown as another program reads it.
struct CountdownStatus {
  bool running = false;
  QString mode;   // "after" or "at"; empty while nothing counts
  QString target; // the time of day it ends, "HH:mm:ss"
  uint remainingSeconds = 0;
  QStringList actions; // "shutdown" .. "hibernate", "sound", "run", "message", in that order
};

// Why a request was not carried out, in one line, or nothing when it was.
struct RemoteRefusal {
  enum class Kind {
    None,
    InvalidArgs, // the request is wrong (a bad duration, an unknown action)
    NotCounting, // no countdown runs to stop or postpone
    Counting,    // a countdown runs already and was not to be replaced
    NoInstance,  // (caller side) no Zarvo runs in this session, or there is no session bus
    Failed,      // (caller side) the running Zarvo did not answer
  } kind = Kind::None;
  QString text;

  explicit operator bool() const { return kind != Kind::None; }
};

// What the running program offers; the program's countdown service implements it.
class RemoteControl : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  ~RemoteControl() override = default;

  // Starts a countdown: `mode` "after" or "at", `time` as the command line takes it, `actions`
  // from the action's name to its text ("shutdown" -> "", "message" -> "Tea is ready"). A running
  // countdown is replaced only when `replace` is set.
  virtual RemoteRefusal Start(const QString& mode, const QString& time, const QMap<QString, QString>& actions,
                              bool replace) = 0;
  virtual RemoteRefusal Stop() = 0;
  // Adds `seconds` to the running countdown.
  virtual RemoteRefusal Postpone(qint64 seconds) = 0;
  virtual CountdownStatus Status() const = 0;
  // Brings the windows back (from the tray or minimised) and in front.
  virtual void Activate() = 0;

signals:
  // The countdown started, stopped, or its end moved.
  void StateChanged();
  // The countdown ran out; the actions that are being carried out.
  void Expired(const QStringList& actions);
};

// Where this start stands among the Zarvos of the session.
enum class InstanceRole {
  Own,     // this is the one Zarvo: `control` is offered on the session bus
  Another, // another Zarvo owns the session: hand the request over to it
  Alone,   // no session bus: this Zarvo runs on its own
};

// Offers `control` as the session's one Zarvo unless another already is. `publication` keeps the
// offer up for as long as it lives. Defined once per back end; blocks, so it is called before any
// window exists.
InstanceRole PublishRemoteControl(RemoteControl& control, std::unique_ptr<QObject>& publication);

// A request to the session's running Zarvo.
struct RemoteCall {
  enum class Method { Start, Stop, Postpone, Status, Activate } method = Method::Status;
  QString mode, time;             // Start
  QMap<QString, QString> actions; // Start
  bool replace = false;           // Start
  qint64 seconds = 0;             // Postpone
};
struct RemoteAnswer {
  RemoteRefusal refusal;
  CountdownStatus status; // Status
};

// Makes `call` and waits for the answer: for the command line only, before any window exists.
// Defined once per back end.
RemoteAnswer CallRunningZarvo(const RemoteCall& call);

} // namespace zarvo

// The operating system behind one interface: power, log-off, process facts, launching, beep,
// power status and sleep/resume notifications, desktop notifications and the idle inhibitor.
// Requests are kept in the product's own vocabulary.
#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

namespace zarvo {

// Flags of a shut-down, restart or log-off request.
namespace ExitFlags {
inline constexpr unsigned LogOff = 0;
inline constexpr unsigned ShutDown = 1;
inline constexpr unsigned Reboot = 2;
inline constexpr unsigned Force = 4;
inline constexpr unsigned PowerOff = 8;
} // namespace ExitFlags

// Power broadcast codes raised through Platform::PowerBroadcast.
namespace PowerEvent {
inline constexpr int QuerySuspend = 0;
inline constexpr int QuerySuspendFailed = 2;
inline constexpr int Suspend = 4;
inline constexpr int ResumeCritical = 6;
inline constexpr int ResumeSuspend = 7;
inline constexpr int BatteryLow = 9;
inline constexpr int PowerStatusChange = 10;
inline constexpr int OemEvent = 11;
} // namespace PowerEvent

// A snapshot of the machine's power supply, with the raw values of the power status record.
struct PowerStatus {
  quint8 acLineStatus = 255; // 0 off line, 1 on line, 255 unknown
  quint8 batteryFlag = 128;  // 1 high, 2 low, 4 critical, 8 charging, 128 no battery, 255 unknown
  quint8 batteryLifePercent = 255;
  quint32 batteryLifeTime = 0xFFFFFFFF;
  quint32 batteryFullLifeTime = 0xFFFFFFFF;
};

// A desktop notification. The buttons (key, label) are offered only where the desktop can show them.
struct DesktopNotification {
  QString summary;
  QString body;
  QImage icon;
  bool critical = false;
  // Stays up until the user answers it or the program takes it down, rather than closing itself
  // after the desktop's usual delay.
  bool persistent = false;
  QList<std::pair<QString, QString>> actions;
};

// What the system answered a power request: accepted, or refused (or failed) with the reason in
// plain words.
struct PowerAnswer {
  bool accepted = true;
  QString reason;
};
// Receives a power request's answer, on the GUI thread, from the event loop; never from inside the
// request itself.
using PowerAnswered = std::function<void(const PowerAnswer& answer)>;

// What the system says it will allow for a power action, asked before the request is made.
struct PowerCapability {
  enum class Answer { Yes, Challenge, No } answer = Answer::Yes;
  QString reason; // with No: why, in plain words
};
using PowerCapabilityAnswered = std::function<void(const PowerCapability& capability)>;

class Platform : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  ~Platform() override = default;

  // Power. The privilege step comes first on systems that have one; elsewhere it is a no-op.
  virtual void EnableShutdownPrivilege() = 0;
  // Shut down (ShutDown|PowerOff), restart (Reboot) or log off (LogOff), plus Force. Starts the
  // request and returns at once; `answered` hears whether the system took it.
  virtual void ExitWindows(unsigned flags, PowerAnswered answered = {}) = 0;
  // Stand-by (suspend true) or hibernate (suspend false). Starts the request and returns at once;
  // `answered` hears once the machine has woken up again, or as soon as the request was refused or
  // the sleep did not begin. The wake-up's power broadcast follows the answer.
  virtual void SetSystemPowerState(bool suspend, bool force, PowerAnswered answered = {}) = 0;

  // Asks whether the power action of `word` ("shutdown", "restart", "logoff", "standby",
  // "hibernate") may be carried out: Yes, Challenge (an administrator's password will be asked for)
  // or No with the reason. Answers from the event loop. Systems that cannot tell answer Yes.
  virtual void CheckPowerAction(const QString& word, PowerCapabilityAnswered answered) {
    QMetaObject::invokeMethod(
        this, [answered] { answered({}); }, Qt::QueuedConnection);
    (void)word;
  }

  // Process facts.
  virtual QString CommandLine() const = 0;         // the command line as one text
  virtual QString ExecutablePath() const = 0;      // full path of the running executable
  virtual QString ExecutableDirectory() const = 0; // its folder, without a trailing separator
  virtual QString CurrentDirectory() const = 0;    // the working directory
  // The folder of the installed data beside the program (Help/index.html, history.txt), without a
  // trailing separator. It need not exist: a program run from an unpacked folder has none.
  virtual QString DataDirectory() const = 0;
  // Whether windows of this desktop can be made translucent.
  virtual bool SupportsTransparency() const = 0;

  // Launching. RunCommandLine splits one command line into program and arguments and starts it
  // detached, without a shell. Returns empty once it runs, else why it could not be started.
  virtual QString RunCommandLine(const QString& commandLine) = 0;
  virtual void OpenUrl(const QString& url) = 0;
  virtual void Beep() = 0;

  virtual PowerStatus GetPowerStatus() const = 0;

  // Desktop notifications. Shows `notification` in place of this program's earlier one if that is
  // still up; without a notification server nothing happens. A pressed button comes back as
  // NotificationAction with its key.
  virtual void ShowNotification(const DesktopNotification& notification) = 0;
  // Takes this program's notification down, if one is up.
  virtual void WithdrawNotification() = 0;

  // Asks the desktop not to go idle (blank the screen, suspend when idle) until UninhibitIdle.
  // A suspend asked for explicitly is never held up by it.
  virtual void InhibitIdle(const QString& reason) = 0;
  virtual void UninhibitIdle() = 0;

  // Starts reporting sleep, resume and battery events (PowerBroadcast). The program calls it once
  // its first window is on screen, so that the start does not wait for the system bus, and again
  // before anything that must not miss a sleep; every call after the first does nothing. The power
  // requests above start it themselves.
  virtual void WatchPowerEvents() {}

  // Gives back to the system the memory that the start-up has freed and will not use again; called
  // once the windows are made.
  virtual void ReturnFreedMemory() {}

signals:
  // A power broadcast (PowerEvent code, parameter), e.g. ResumeSuspend after a wake-up.
  void PowerBroadcast(int event, qint64 parameter);
  // The user pressed the button `key` of this program's notification.
  void NotificationAction(const QString& key);
};

// The back end of this build (defined once per back end).
std::unique_ptr<Platform> CreatePlatform();
// Whether a display is there for windows and boxes (asked before any GUI exists; defined once per
// back end).
bool DisplayAvailable();

// Made before the application object, which connects to the display, and ended once it exists:
// the connection then sends the windows' pictures over its socket instead of through memory shared
// with the display server. The windows are small, and shared memory costs a round trip to the server
// (two more wake-ups of the program) before every repaint of a place shown before: for the
// stopwatch's digits, 14 times a second. Programs started later inherit nothing of it.
class DisplayConnectionSetup {
public:
  DisplayConnectionSetup();
  ~DisplayConnectionSetup() { Done(); }
  void Done();
  DisplayConnectionSetup(const DisplayConnectionSetup&) = delete;
  DisplayConnectionSetup& operator=(const DisplayConnectionSetup&) = delete;

private:
  bool set_ = false;
};

// Work the first window will wait for that can run beside the application's own start-up: made
// before the application object, it runs on a thread of its own, the system's own preparations
// first, then `then`; destroying it waits for the end.
class StartupWarmUp {
public:
  explicit StartupWarmUp(std::function<void()> then = {});
  ~StartupWarmUp();
  StartupWarmUp(const StartupWarmUp&) = delete;
  StartupWarmUp& operator=(const StartupWarmUp&) = delete;

private:
  std::thread thread_;
};

} // namespace zarvo

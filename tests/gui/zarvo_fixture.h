// The whole set of windows on fake Clock, Dialogs and Platform, with the timers under the test's control,
// and the verbs a test uses to drive it as a user does.
#pragma once

#include "counter/counter_window.h"
#include "framework/fake_dialogs.h"
#include "framework/image_button.h"
#include "main/main_window.h"
#include "main/window_set.h"
#include "options/options_window.h"
#include "platform/fake/fake_platform.h"
#include "small_windows/message_window.h"
#include "small_windows/time_window.h"
#include "tests/support/gui_verbs.h"
#include "tests/support/test_support.h"

#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace zarvo::test {

struct Zarvo {
  QTemporaryDir folder; // the program's folder, so that its settings stay within the test
  FakeClock clock;
  FakeDialogs dialogs;
  FakePlatform platform;
  WindowSet windows{clock, dialogs, platform};
  // The main window's inside, for the tests that still need it. New tests use the verbs below.
  TForm1* form1 = nullptr;
  TFormOptions* options = nullptr;

  Zarvo();
  ~Zarvo();

  // The windows, to find their controls by name.
  QWidget* Main() const;
  QWidget* OptionsWindow() const;
  QWidget* CounterWindow() const;
  QWidget* TimeWindow() const;
  QWidget* MessageWindow() const;
  // The four windows that show, hide, fade and stay on top together.
  QList<QWidget*> Group() const;

  // Advances the fake clock by `ms` and runs one countdown tick.
  void Tick(int ms = 400);
  // Presses Start and ticks until the countdown has expired (at most 200 ticks).
  void RunToExpiry();
  // Ticks until the running countdown has expired (at most 200 ticks).
  void TickToExpiry();
  // From now on the main window's own 400 ms timer runs the ticks, on the fake clock.
  void StartTicking();
  // Runs the once-a-second check of where the pointer is (it releases a hover the pointer left).
  void HoverCheck();

  // A press on the main window's Start button.
  void PressStart() { Press(Main(), QStringLiteral("Start")); }
  // Whether a countdown runs, as the Start button tells a user (and a screen reader) by its hint.
  bool Counting() const;
  // Types `time` into the main window's picker; false when it does not show it after.
  bool SetPicker(QTime time) { return TypeTime(Main(), QStringLiteral("SetTime"), time); }
  QTime PickerTime() const;

  QString Remaining() const { return Text(Main(), QStringLiteral("Label_TimeRemaining")); }
  QColor RemainingColour() const;
  QString LocalTime() const { return Text(Main(), QStringLiteral("Label_Time")); }
  // The hint line at the bottom of the main window, and whether it is on screen.
  QString Hint() const { return Text(Main(), QStringLiteral("LabelToolTip")); }
  bool HintShown() const { return Control(Main(), QStringLiteral("LabelToolTip"))->isVisible(); }

  // The frame an image button shows: 0 normal, 1 hot (hovered), 2 pressed (or a toggle that is on).
  static int Frame(const QWidget* window, const QString& button);
  // Moves the pointer onto `window`'s own background at `at`, off every control.
  static void HoverBackground(QWidget* window, QPoint at);

  // An Options action button, by its row, and what it shows of the selection: its check image
  // and, for the three actions with a parameter, the tooltip that names it once hovered.
  static QString OptionName(int row);
  void ClickOption(int row) { Press(OptionsWindow(), OptionName(row)); }
  bool OptionChecked(int row) const;
  QString OptionParameter(int row);

  // From now on the start of the expiry's sound step (the stop-playing button appearing) is
  // written into the platform's log as "sound", in order with the power and launch requests.
  void LogSoundStep();

private:
  class SoundStepLog;
  std::unique_ptr<SoundStepLog> soundLog_;
  int hoverNudge_ = 0;
};

inline const QColor kLime(0, 255, 0);
inline const QColor kYellow(255, 255, 0);

} // namespace zarvo::test

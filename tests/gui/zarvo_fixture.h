// The whole set of windows on fake Clock, Dialogs and Platform, with the timers under the test's control.
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
  TForm1* form1 = nullptr;
  TFormOptions* options = nullptr;

  Zarvo() {
    platform.executablePath = folder.filePath(QStringLiteral("zarvo"));
    clock.SetTime(10, 0, 0);
    if (!windows.Create())
      qFatal("the window set was not created");
    form1 = windows.Form1();
    options = windows.FormOptions();
    // The test drives the ticks itself.
    form1->Timer1.stop();
    form1->Timer3.stop();
    form1->TimerInit.stop();
    form1->TimerInitTimer();
  }

  // Advances the fake clock by `ms` and runs one countdown tick.
  void Tick(int ms = 400) {
    clock.Advance(ms);
    form1->Timer1Timer();
  }

  // Starts a countdown and ticks until it has expired.
  void RunToExpiry() {
    form1->StartClick();
    for (int i = 0; i < 200 && form1->CountdownRunning(); ++i)
      Tick();
  }

  QString Remaining() const { return form1->Label_TimeRemaining->text(); }
  QColor RemainingColour() const { return form1->Label_TimeRemaining->palette().color(QPalette::WindowText); }

  // Clicks an Options action button as a user would, with the left mouse button.
  void ClickOption(int row) { QTest::mouseClick(options->Button(row), Qt::LeftButton); }

  // From now on the start of the expiry's sound step (the stop-playing button appearing) is
  // written into the platform's log as "sound", in order with the power and launch requests.
  void LogSoundStep() {
    soundLog_ = std::make_unique<SoundStepLog>(platform.calls);
    form1->StopPlaying->installEventFilter(soundLog_.get());
  }

private:
  class SoundStepLog final : public QObject {
  public:
    explicit SoundStepLog(QStringList& log) : log_(log) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Show)
        log_ << QStringLiteral("sound");
      return false;
    }

  private:
    QStringList& log_;
  };
  std::unique_ptr<SoundStepLog> soundLog_;
};

inline const QColor kLime(0, 255, 0);
inline const QColor kYellow(255, 255, 0);

} // namespace zarvo::test

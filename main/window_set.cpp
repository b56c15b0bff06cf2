#include "main/window_set.h"

#include "counter/counter_window.h"
#include "main/main_window.h"
#include "main/timed_command_line.h"
#include "options/options_window.h"
#include "platform/platform.h"
#include "small_windows/about_window.h"
#include "small_windows/message_window.h"
#include "small_windows/time_window.h"

namespace zarvo {

WindowSet::WindowSet(Clock& clock, Dialogs& dialogs, Platform& platform)
    : clock_(clock), dialogs_(dialogs), platform_(platform) {}

WindowSet::~WindowSet() {
  // The other windows refer to the main window: they go first, in reverse order of creation.
  time_.reset();
  counter_.reset();
  about_.reset();
  message_.reset();
  options_.reset();
  form1_.reset();
}

bool WindowSet::Create() {
  form1_ = std::make_unique<TForm1>(clock_, dialogs_, platform_);
  if (!form1_->FormCreate())
    return false;
  const SkinPictures skin = form1_->Skin();
  options_ = std::make_unique<TFormOptions>(*form1_, form1_->Hints(), skin, dialogs_, form1_->Selection);
  counter_ = std::make_unique<TFormCounter>(*form1_, form1_->Hints(), skin, clock_);
  // The satellites stay with the main window: on top of it, off the taskbar.
  options_->StayWith(form1_.get());
  counter_->StayWith(form1_.get());
  time_ = std::make_unique<TFormTime>(skin);
  form1_->Attach(options_.get(), counter_.get(), time_.get());
  Wire();
  return true;
}

void WindowSet::Wire() {
  TForm1* main = form1_.get();
  // The Message and About windows are made when first needed: most runs never show them.
  QObject::connect(main, &TForm1::LateWindowsNeeded, main, [this] { CreateLateWindows(); });
  // What the first picture did not wait for: the sleep notices, and the memory the start freed.
  QObject::connect(main, &TForm1::StartFinished, main, [this] {
    platform_.WatchPowerEvents();
    platform_.ReturnFreedMemory();
  });
  for (SatelliteWindow* satellite : std::initializer_list<SatelliteWindow*>{options_.get(), counter_.get()})
    QObject::connect(satellite, &SatelliteWindow::MenuRequested, main, &TForm1::ShowMainMenu);
  QObject::connect(options_.get(), &SatelliteWindow::Closed, main, &TForm1::OptionsWindowClosed);
  QObject::connect(options_.get(), &TFormOptions::SelectionChanged, main, &TForm1::SelectionChanged);
  QObject::connect(counter_.get(), &SatelliteWindow::Closed, main, &TForm1::CounterWindowClosed);

  TFormTime* time = time_.get();
  QObject::connect(&main->Session(), &CountdownSession::RemainingChanged, time, &TFormTime::SetRemaining);
  QObject::connect(time, &TFormTime::MenuRequested, main, &TForm1::ShowMainMenu);
  QObject::connect(time, &TFormTime::ShowTimeMenuRequested, main, &TForm1::ShowTimeMenu);
  QObject::connect(time, &TFormTime::ShowTimeRequested, main,
                   [main] { main->Guarded([main] { main->ShowTimeClick(); }); });
}

void WindowSet::CreateLateWindows() {
  if (message_)
    return;
  const SkinPictures skin = form1_->Skin();
  message_ = std::make_unique<TFormMessage>(skin, clock_, platform_, form1_->Selection.MessageText);
  about_ = std::make_unique<TFormAbout>(*form1_, skin, platform_);
  form1_->AttachLate(message_.get(), about_.get());
}

void WindowSet::StartTimed(const TimedStart& start) {
  options_->SelectActions(start.selection);
  form1_->StartTimed(start);
}

TFormMessage* WindowSet::FormMessage() const {
  if (form1_)
    form1_->CreateLateWindows();
  return message_.get();
}

TFormAbout* WindowSet::FormAbout() const {
  if (form1_)
    form1_->CreateLateWindows();
  return about_.get();
}

} // namespace zarvo

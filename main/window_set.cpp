#include "main/window_set.h"

#include "counter/counter_window.h"
#include "main/main_window.h"
#include "options/options_window.h"
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
  options_ = std::make_unique<TFormOptions>(*form1_, dialogs_, form1_->Selection);
  counter_ = std::make_unique<TFormCounter>(*form1_, clock_);
  options_->StayWith(form1_.get());
  counter_->StayWith(form1_.get());
  time_ = std::make_unique<TFormTime>(*form1_);
  form1_->Attach(options_.get(), counter_.get(), time_.get());
  form1_->SetLateWindows([this] { CreateLateWindows(); });
  return true;
}

void WindowSet::CreateLateWindows() {
  message_ = std::make_unique<TFormMessage>(*form1_, clock_, platform_, form1_->Selection.MessageText);
  about_ = std::make_unique<TFormAbout>(*form1_, platform_);
  form1_->AttachLate(message_.get(), about_.get());
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

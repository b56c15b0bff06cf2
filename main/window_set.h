// The six windows of the program, created once in a fixed order, wired to one another (each
// window's signals to the others' calls) and destroyed together.
#pragma once

#include <memory>

namespace zarvo {

class Clock;
class Dialogs;
class Platform;
class TForm1;
class TFormAbout;
class TFormCounter;
class TFormMessage;
class TFormOptions;
class TFormTime;
struct TimedStart;

class WindowSet {
public:
  WindowSet(Clock& clock, Dialogs& dialogs, Platform& platform);
  ~WindowSet();

  // Creates the main window, then (unless its creation ended the program) the Options, Counter and
  // Time windows; the Message and About windows follow once the main window has been painted, or
  // when they are first asked for. Returns false when the program is to end at once.
  bool Create();

  // The countdown the command line gave: its actions selected in the Options window as if chosen
  // there, then the mode, picker and Start in the main window.
  void StartTimed(const TimedStart& start);

  TForm1* Form1() const { return form1_.get(); }
  TFormOptions* FormOptions() const { return options_.get(); }
  TFormMessage* FormMessage() const;
  TFormAbout* FormAbout() const;
  TFormCounter* FormCounter() const { return counter_.get(); }
  TFormTime* FormTime() const { return time_.get(); }

private:
  void CreateLateWindows();
  void Wire();

  Clock& clock_;
  Dialogs& dialogs_;
  Platform& platform_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TFormOptions> options_;
  std::unique_ptr<TFormMessage> message_;
  std::unique_ptr<TFormAbout> about_;
  std::unique_ptr<TFormCounter> counter_;
  std::unique_ptr<TFormTime> time_;
};

} // namespace zarvo

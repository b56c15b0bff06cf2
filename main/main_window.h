// TForm1: the main window. A thin shell over the countdown session, the expiry steps, the hint line
// and the window group: it holds the controls and menus and turns the user's commands into calls.
#pragma once

#include "components/apm.h"
#include "components/sound_player.h"
#include "components/tray_icon.h"
#include "framework/dialogs.h"
#include "framework/hint_line.h"
#include "framework/image_list.h"
#include "framework/skinned_window.h"
#include "main/countdown_session.h"
#include "main/window_group.h"
#include "options/action_selection.h"

#include <QTimer>

class QAction;
class QLabel;
class QMenu;
class QRadioButton;
class QTimeEdit;

namespace zarvo {

class Clock;
class Dialogs;
class ImageButton;
class Platform;
class TFormAbout;
class TFormCounter;
class TFormMessage;
class TFormOptions;
class TFormTime;
struct TimedStart;

class TForm1 final : public SkinnedWindow {
  Q_OBJECT
public:
  TForm1(Clock& clock, Dialogs& dialogs, Platform& platform);
  ~TForm1() override;

  // The creation handler. Returns false when the process is to end (a command-line action was
  // handled); the other windows are then never created. CommandLineActionPending() then says
  // whether the program waits for the system's answer (CommandLineActionDone) before it ends.
  bool FormCreate();
  bool CommandLineActionPending() const { return commandLinePending_; }
  // Hands over the windows created after this one.
  void Attach(TFormOptions* options, TFormCounter* counter, TFormTime* time);
  void AttachLate(TFormMessage* message, TFormAbout* about);
  // Makes the Message and About windows now if they are not made yet.
  void CreateLateWindows();

  // The pictures the other windows copy, the hint line they share, the group they belong to.
  SkinPictures Skin() const;
  HintLine& Hints() { return hints_; }
  WindowGroup& Group() { return group_; }
  CountdownSession& Session() { return session_; }
  const CountdownSession& Session() const { return session_; }

  // --- Countdown ---
  bool CountdownRunning() const { return session_.CountdownRunning(); }
  int StartTimeOfDay() const { return session_.StartTimeOfDay(); }
  void StartClick();
  void RadioAfterClick();
  void RadioAtClick();
  void Timer1Timer();
  // The tick's period while a countdown runs or a sound plays.
  static constexpr int kTickMs = 400;
  void StartMouseMove();
  // The warning's Postpone button and the menu's "Postpone 10 minutes": ten more minutes on the
  // picker, in either mode.
  void PostponeClick();
  // `ms` more for the running countdown; why not, when it cannot be done.
  QString PostponeBy(qint64 ms);
  // The warning's Stop button: stops a running countdown as Start does.
  void NotificationStopClick();
  // The countdown given on the command line (its actions already selected): the mode and picker
  // set, then Start.
  void StartTimed(const TimedStart& start);
  // The tray icon's tooltip: "Zarvo" and, while a countdown runs and the icon is in the tray, the
  // time left on a second line. An empty `remaining` puts back the plain name.
  void ShowTimeInTray(const QString& remaining);

  // --- Expiry actions and the Run menu ---
  // Carries out the power action the word names, or with no word the selected one; `answered`
  // hears the system's answer (after the wake-up, for a stand-by or hibernate).
  void PerformPowerAction(const QString& word, PowerAnswered answered = {});
  void RunMenuCommand(const QString& confirmation, const QString& word);
  void ForceShutDown1Click();
  void StopPlayingClick();
  void StopPlayingMouseMove();
  // Whether the actions of an expiry are still being carried out (waiting for a wake-up or a sound).
  bool ExpiryInProgress() const;
  // The Options window changed the selection: a running countdown's power action is checked again.
  void SelectionChanged();

  // --- Lifecycle ---
  void TimerInitTimer();
  void Timer3Timer();
  void CloseButtonClick();
  // The system has woken up: stops a running countdown and warns.
  void APM1ResumeAfterSuspend();
  void LoadSettings();
  void SaveSettings();
  // The end of the start: the main window's first picture is on screen (or did not come in time,
  // as for a window placed off the screen). The satellites, the window icon and whatever else the first
  // picture did not wait for follow; StartFinished is emitted. Runs once.
  void FinishStart();
  bool Started() const { return startFinished_; }
  // A power action given as the one word on the command line. Returns true when it was handled
  // (performed or declined) and the program is to end.
  bool ProcessCommandLine();

  // --- Main window commands ---
  void MenuClick();
  void TransparentClick();
  void SetTransparency(int alpha, bool blend);
  void TopAlwaysClick();
  void OptionsClick();
  void CounterClick();
  void ShowTimeClick();
  // Enters or leaves the time-only view, with the menus' check marks.
  void SetTimeOnlyView(bool on);
  void MinimizeClick();
  void HideClick();
  void CoolTrayIcon1Click();
  // The windows back from the tray or minimised, and in front (another start of the program).
  void BringToFront();
  void MinimizeApplication() { group_.MinimizeApplication(); }
  void RestoreApplication() { group_.RestoreApplication(); }
  bool WindowShown(const QWidget* window) const { return group_.WindowShown(window); }
  void Help1Click();
  void Whatsnew1Click();
  void About1Click();
  void Showhelp1Click();
  void ApplyMainWindowRegion();
  // The main popup menu, centred on `globalPos` (a right click on any window of the group).
  void ShowMainMenu(const QPoint& globalPos);
  void ShowTimeMenu(const QPoint& globalPos);
  // The satellites' close buttons hand the Options / Counter button back.
  void OptionsWindowClosed();
  void CounterWindowClosed();
  ImageButton* HoverImage() const { return hints_.HoverImage(); }
  // Runs a user command: an error it raises shows the error box and the program goes on.
  void Guarded(const std::function<void()>& handler);

  // --- State ---
  ActionSelection Selection; // written by the Options window only
  bool TimeOnlyView = false;
  bool AlwaysOnTop = false;
  bool ForceShutDown = false;
  QString SettingsFileName;
  QString BrowserCommand;

  // --- Controls ---
  ImageControl* BackGround = nullptr;
  ImageControl* Band = nullptr; // behind Label_Time and Label_TimeRemaining
  ImageControl* TitleBar = nullptr;
  ImageControl* Title = nullptr;
  QLabel* Label_Time = nullptr;
  QLabel* Label_TimeRemaining = nullptr;
  QLabel* LabelToolTip = nullptr;
  QTimeEdit* SetTime = nullptr;
  QRadioButton* RadioAfter = nullptr;
  QRadioButton* RadioAt = nullptr;
  ImageButton* Start = nullptr;
  ImageButton* Menu = nullptr;
  ImageButton* Transparent = nullptr;
  ImageButton* Options = nullptr;
  ImageButton* Counter = nullptr;
  ImageButton* TopAlways = nullptr;
  ImageButton* ShowTime = nullptr;
  ImageButton* Minimize = nullptr;
  ImageButton* Hide = nullptr;
  ImageButton* CloseButton = nullptr;
  ImageButton* StopPlaying = nullptr;
  ImageButton* ImageEmpty = nullptr;

  ImageList Start_List, Menu_List, Transparent_List, Options_List, Counter_List, TopAlways_List,
      ShowTime_List, Minimize_List, Hide_List, CloseButton_List;

  QTimer Timer1;
  QTimer Timer3;
  QTimer TimerInit;

  TMediaPlayer MediaPlayer1;
  TAPM APM1;
  TCoolTrayIcon CoolTrayIcon1;

  QMenu* PopupMenu1 = nullptr;
  QMenu* PopupMenuAlfa = nullptr;
  QMenu* PopupMenuShowTime = nullptr;
  QAction* About1 = nullptr;
  QAction* HideOptionsPanel1 = nullptr;
  QAction* HideCounter1 = nullptr;
  QAction* ShowonlyTimeRemaining1 = nullptr;
  QAction* PopupMenuShowTime1 = nullptr;
  QAction* Alwaysontop1 = nullptr;
  QAction* ForceShutDown1 = nullptr;
  QAction* Showhelp1 = nullptr;
  QAction* Showconfirmation1 = nullptr;
  QAction* AlphaBlend1 = nullptr;
  QAction* ShutDown1 = nullptr;
  QAction* Restart1 = nullptr;
  QAction* LogOff1 = nullptr;
  QAction* StandBy1 = nullptr;
  QAction* Hibernate1 = nullptr;
  // "Postpone 10 minutes", first in PopupMenu1 while a countdown runs, with its separator.
  QAction* Postpone1 = nullptr;
  QAction* PostponeSeparator1 = nullptr;
  QList<QAction*> LevelItemsAlfa;    // Disabled1 .. Hight1
  QList<QAction*> LevelItemsSubmenu; // Disabled2 .. Hight2

  TFormOptions* FormOptions = nullptr;
  TFormMessage* FormMessage = nullptr;
  TFormAbout* FormAbout = nullptr;
  TFormCounter* FormCounter = nullptr;
  TFormTime* FormTime = nullptr;

signals:
  // The main window has closed: the program ends.
  void Closed();
  // The start has finished (FinishStart): what the first picture did not wait for may follow.
  void StartFinished();
  // The Message or About window is needed now: they are made when first needed.
  void LateWindowsNeeded();
  // The command-line action has its answer: the program ends with `exitCode`.
  void CommandLineActionDone(int exitCode);

protected:
  void DragStep(int dx, int dy) override;
  void BackgroundHover() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  void CreateControls();
  void CreateMenus();
  void CreateTrayIcon();
  void ConnectSession();
  void ConnectButton(ImageButton* button, const ImageList& list, void (TForm1::*command)());
  void Expire();
  void PlaySoundStep(const QString& fileName, const std::function<void(const QString& error)>& done);
  QString RunApplicationStep(const QString& command);
  void ShowMessageStep();
  // Start and stop; a refusal box raised from the tick is shown once the tick has returned.
  enum class Refusal { Now, AfterTheTick };
  void ToggleCountdown(Refusal refusal);
  bool IsLatched(const ImageButton* button) const;
  void GuardedTick(const std::function<void()>& handler);
  // A modal box from a fresh turn of the event loop, never inside the handler that asks for it.
  void MessageBoxLater(const QString& text, const QString& caption, Icon icon = Icon::Information);
  // Asks the system whether the selected power action will be possible, and warns now if not.
  void CheckSelectedPowerAction();
  // A power request the system refused: a critical notification and a box, after `word`'s action.
  void ReportPowerRefusal(const QString& word, const QString& reason);
  void CountdownLapsed(int lateMs);
  // Sets the running Timer1's next tick: every 400 ms while a countdown runs or a sound plays,
  // otherwise just past the next whole second, when the clock's text changes.
  void PaceTick();
  // Timer3 stops while it has nothing to watch for, and starts again when it has.
  void RestHoverWatch();
  void WakeHoverWatch();

  Clock& clock_;
  Dialogs& dialogs_;
  Platform& platform_;
  HintLine hints_;
  CountdownSession session_;
  WindowGroup group_;
  bool painted_ = false;
  bool startFinished_ = false;
  // Ends the start when the first picture does not come.
  QTimer startFallback_;
  // Timer3 stopped itself with nothing lit, to start again when something lights.
  bool hoverWatchResting_ = false;
  bool lateWindowsMade_ = false;
  bool commandLinePending_ = false;
  // Counts the power checks, so that an answer to an earlier one is dropped.
  quint64 powerCheck_ = 0;
  // Until the settings are loaded the windows show the defaults: a save then (a session manager
  // asking at once) would write them over the user's file.
  bool settingsLoaded_ = false;
  // Hide found no tray once already and said so.
  bool noTrayHintShown_ = false;
};

} // namespace zarvo

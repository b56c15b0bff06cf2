// TForm1: the main window. Countdown, expiry actions, hover and hint line, popup menu, lifecycle.
#pragma once

#include "components/apm.h"
#include "components/sound_player.h"
#include "components/tray_icon.h"
#include "framework/image_list.h"
#include "framework/main_window_hooks.h"
#include "framework/skinned_window.h"
#include "main/countdown.h"
#include "main/countdown_notices.h"
#include "main/timed_command_line.h"
#include "options/action_selection.h"

#include <QTimer>
#include <optional>

class QAction;
class QActionGroup;
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

class TForm1 final : public SkinnedWindow, public MainWindowHooks {
  Q_OBJECT
public:
  TForm1(Clock& clock, Dialogs& dialogs, Platform& platform);
  ~TForm1() override;

  // The creation handler. Returns false when the process is to end right away (a command-line
  // action was handled); the other windows are then never created.
  bool FormCreate();
  // Hands over the windows created after this one.
  void Attach(TFormOptions* options, TFormCounter* counter, TFormTime* time);
  // The Message and About windows are never on screen at start: `create` makes them (and hands
  // them over with AttachLate) once this window has been painted, or as soon as one is needed.
  void SetLateWindows(std::function<void()> create);
  void AttachLate(TFormMessage* message, TFormAbout* about);
  void CreateLateWindows();

  // --- Countdown ---
  void StartClick();
  void RadioAfterClick();
  void RadioAtClick();
  void Timer1Timer();
  void StartMouseMove();
  // The warning's Postpone button: ten more minutes on the picker, in either mode.
  void PostponeClick();
  // The warning's Stop button: stops a running countdown as Start does.
  void NotificationStopClick();
  // The countdown given on the command line: its actions selected in the Options window, the mode
  // and picker set, then Start.
  void StartTimed(const TimedStart& start);
  // The tray icon's tooltip: "Zarvo" and, while a countdown runs and the icon is in the tray, the
  // time left on a second line. An empty `remaining` puts back the plain name.
  void ShowTimeInTray(const QString& remaining);

  // --- Expiry actions and the Run menu ---
  void PerformPowerAction(const QString& word);
  void PlaySoundStep();
  // Starts the application command; returns the error text when it cannot be started.
  QString RunApplicationStep();
  void ShowMessageStep();
  void RunMenuCommand(const QString& confirmation, const QString& word);
  void ForceShutDown1Click();
  void StopPlayingClick();
  void StopPlayingMouseMove();

  // --- Lifecycle ---
  void TimerInitTimer();
  void Timer3Timer();
  void CloseButtonClick();
  // The system is about to sleep (logind's PrepareForSleep): no expiry until it has woken up.
  void SleepAnnounced();
  // The system has woken up: ends an announced sleep, then stops a running countdown and warns.
  void APM1ResumeAfterSuspend();
  void LoadSettings();
  void SaveSettings();
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
  void MinimizeClick();
  void HideClick();
  void CoolTrayIcon1Click();
  // The whole application off the screen (to the tray while CoolTrayIcon1.MinimizeToTray), and back
  // exactly as it was.
  void MinimizeApplication();
  void RestoreApplication();
  // Whether a window of the group is shown, or was shown when the application was minimised or
  // hidden to the tray.
  bool WindowShown(const QWidget* window) const;
  void Help1Click();
  void Whatsnew1Click();
  void About1Click();
  void Showhelp1Click();
  void ApplyMainWindowRegion();

  // --- MainWindowHooks ---
  void ImageButtonHover(const ImageList& list, ImageButton* image, const QString& text) override;
  void ImageButtonDown(const ImageList& list, ImageButton* image) override;
  void ImageButtonUp(const ImageList& list, ImageButton* image) override;
  void ReleaseHover() override;
  void ClearHover() override;
  void SetHint(const QString& text, bool always) override;
  void HideHint() override;
  QRect MainGeometry() const override { return geometry(); }
  QMenu* MainMenu() const override { return PopupMenu1; }
  QMenu* ShowTimeMenu() const override { return PopupMenuShowTime; }
  QPixmap TitleBarPicture() const override;
  QPixmap BackgroundPicture() const override;
  QPixmap CloseButtonPicture() const override;
  void OptionsWindowClosed() override;
  void CounterWindowClosed() override;

  // --- State ---
  ActionSelection Selection; // written by the Options window only
  bool CountdownRunning = false;
  int StartTimeOfDay = 0;
  bool TimeOnlyView = false;
  bool AlwaysOnTop = false;
  bool ForceShutDown = false;
  QString SettingsFileName;
  QString BrowserCommand;
  ImageButton* HoverImage = nullptr;
  const ImageList* HoverImageList = nullptr;

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
  const ImageList ImageListEmpty;

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

protected:
  void DragStep(int dx, int dy) override;
  void BackgroundHover() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  void CreateControls();
  void CreateMenus();
  void CreateTrayIcon();
  void HideApplicationToTray();
  void ConnectButton(ImageButton* button, const ImageList& list, void (TForm1::*command)());
  void Expire();
  // Start and stop; a refusal box raised from the tick is shown once the tick has returned.
  enum class Refusal { Now, AfterTheTick };
  void ToggleCountdown(Refusal refusal);
  bool SleepPending();
  CountdownMode Mode() const;
  int PickerMs() const;
  bool IsLatched(const ImageButton* button) const;
  void HandleBackgroundMove(QMouseEvent* event);
  void Guarded(const std::function<void()>& handler);
  void GuardedTick(const std::function<void()>& handler);

  Clock& clock_;
  Dialogs& dialogs_;
  Platform& platform_;
  std::function<void()> createLateWindows_;
  bool painted_ = false;
  // The warning before the power action and the idle inhibitor of a running countdown.
  CountdownNotices notices_;

  // The last tick's reading of a running countdown, to notice a final second with no tick in it.
  TickReading last_;
  // The monotonic tick count at which the system announced a sleep that has not yet ended in a
  // wake-up. Meanwhile no tick ends the countdown: the first ticks after waking can run before the
  // wake-up is reported, and the wake-up stops the countdown with its warning instead.
  std::optional<qint64> sleepAnnouncedAt_;
  // The sound step is opening its file: a tick that runs meanwhile must not take the player, not
  // yet open, for one that has finished.
  bool openingSound_ = false;
  // Minimised by the program's own Minimize or Hide button (the whole application), as opposed to
  // the main window alone being minimised by the desktop: expiry brings back only the latter.
  bool applicationMinimised_ = false;
  // Until the settings are loaded the windows show the defaults: a save then (a session manager
  // asking at once) would write them over the user's file.
  bool settingsLoaded_ = false;
  // The group's windows that were shown when the application was minimised.
  QList<QWidget*> minimisedWindows_;
  // The group's windows that were shown when the application went to the tray.
  QList<QWidget*> trayWindows_;
  // Hide found no tray once already and said so.
  bool noTrayHintShown_ = false;
  // The hint line holds a notice of the program's own rather than a control's hint.
  bool notice_ = false;
};

} // namespace zarvo

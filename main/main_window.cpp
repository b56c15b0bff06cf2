#include "main/main_window.h"

#include "assets/skin.h"
#include "counter/counter_window.h"
#include "framework/dialogs.h"
#include "framework/error_box.h"
#include "framework/image_button.h"
#include "framework/skin_font.h"
#include "framework/skin_radio.h"
#include "framework/time_picker.h"
#include "framework/window_outline.h"
#include "main/settings.h"
#include "options/options_window.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "small_windows/about_window.h"
#include "small_windows/message_window.h"
#include "small_windows/time_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QTimeEdit>
#include <QTimer>

#include <utility>

namespace zarvo {

namespace {

ImageList Strip(const skin::Strip& s) { return ImageList(skin::Path(s.path), s.frame, s.frames); }

} // namespace

TForm1::TForm1(Clock& clock, Dialogs& dialogs, Platform& platform)
    : SkinnedWindow(QStringLiteral("Form1"), QStringLiteral("Zarvo"), QSize(200, 140)), APM1(platform),
      clock_(clock), dialogs_(dialogs), platform_(platform), session_(clock, platform, Selection),
      group_(*this, CoolTrayIcon1) {
  CreateControls();
  CreateMenus();
  CreateTrayIcon();
  hints_.Attach(LabelToolTip, ImageEmpty, Showhelp1);
  hints_.SetLatchRule([this](const ImageButton* b) { return IsLatched(b); });
  // Start lit while a countdown runs shows its pressed frame: it is the button that stops it.
  hints_.SetHotRule([this](const ImageButton* b) {
    return b == Start && CountdownRunning() ? Frame::Pressed : Frame::Hot;
  });
  ConnectSession();

  Timer1.setInterval(kTickMs);
  // Exact, because the tick of a program that only shows the clock is aimed just past each whole
  // second (PaceTick).
  Timer1.setTimerType(Qt::PreciseTimer);
  Timer3.setInterval(1000);
  // The hover watch rests while nothing is lit, or while the pointer is over one of the windows
  // (Timer3Timer); whatever lights, and the pointer leaving a window, wakes it.
  connect(&hints_, &HintLine::Lit, this, &TForm1::WakeHoverWatch);
  // Long enough for a window manager to map and expose the main window on a busy desktop.
  startFallback_.setInterval(250);
  startFallback_.setSingleShot(true);
  connect(&startFallback_, &QTimer::timeout, this, &TForm1::FinishStart);
  TimerInit.setInterval(1);
  TimerInit.setSingleShot(true);
  // An error raised in a tick is shown once the tick has returned, so the clock goes on behind it.
  connect(&Timer1, &QTimer::timeout, this, [this] { GuardedTick([this] { Timer1Timer(); }); });
  connect(&Timer3, &QTimer::timeout, this, [this] { GuardedTick([this] { Timer3Timer(); }); });
  connect(&TimerInit, &QTimer::timeout, this, [this] { GuardedTick([this] { TimerInitTimer(); }); });

  // A resume that interrupted a countdown stops it and warns; until it comes, an announced sleep
  // holds the expiry.
  APM1.OnSuspend = [this](QObject*) { session_.SleepAnnounced(); };
  APM1.OnResumeAfterSuspend = [this](QObject*) { Guarded([this] { APM1ResumeAfterSuspend(); }); };
}

TForm1::~TForm1() = default;

void TForm1::Guarded(const std::function<void()>& handler) { RunGuarded(dialogs_, handler); }

void TForm1::GuardedTick(const std::function<void()>& handler) { RunGuardedLater(dialogs_, this, handler); }

void TForm1::MessageBoxLater(const QString& text, const QString& caption, Icon icon) {
  QMetaObject::invokeMethod(
      this,
      [this, text, caption, icon] {
        Guarded([&] { dialogs_.MessageBox(this, text, caption, Buttons::Ok, icon); });
      },
      Qt::QueuedConnection);
}

void TForm1::CreateControls() {
  Start_List = Strip(skin::kStartList);
  Menu_List = Strip(skin::kMenuList);
  Transparent_List = Strip(skin::kTransparentList);
  Options_List = Strip(skin::kOptionsList);
  Counter_List = Strip(skin::kCounterList);
  TopAlways_List = Strip(skin::kTopAlwaysList);
  ShowTime_List = Strip(skin::kShowTimeList);
  Minimize_List = Strip(skin::kMinimizeList);
  Hide_List = Strip(skin::kHideList);
  CloseButton_List = Strip(skin::kCloseButtonList);

  // From back to front.
  BackGround = new ImageControl(this, QStringLiteral("BackGround"), QRect(0, 1, 200, 140));
  BackGround->SetPicture(LoadPicture(skin::Path(skin::kBackground), QSize(200, 140)));
  // The dark band that keeps the two times readable belongs to this window alone: the others
  // stretch the background, which would smear it.
  Band = new ImageControl(this, QStringLiteral("Band"), QRect(6, 49, 188, 29));
  Band->SetPicture(LoadPicture(skin::Path(skin::kDigitsBand), QSize(188, 29)));
  TitleBar = new ImageControl(this, QStringLiteral("TitleBar"), QRect(0, 0, 200, 30));
  TitleBar->SetPicture(LoadPicture(skin::Path(skin::kTitleBar), QSize(200, 30)));
  Title = new ImageControl(this, QStringLiteral("Title"), QRect(15, 0, 110, 25));
  Title->SetPicture(LoadPicture(skin::Path(skin::kMainTitle), QSize(110, 25)));

  Options = new ImageButton(this, QStringLiteral("Options"), QPoint(70, 30),
                            QStringLiteral("Show/Hide options panel"));
  Transparent = new ImageButton(this, QStringLiteral("Transparent"), QPoint(39, 30),
                                QStringLiteral("Change Transparence/Opacity"));
  ShowTime = new ImageButton(this, QStringLiteral("ShowTime"), QPoint(163, 30),
                             QStringLiteral("Show only remaining time"));
  TopAlways = new ImageButton(this, QStringLiteral("TopAlways"), QPoint(132, 30),
                              QStringLiteral("Enable/Disable Always on top"));
  Hide = new ImageButton(this, QStringLiteral("Hide"), QPoint(155, 0),
                         QStringLiteral("Minimize to System Tray"));
  Minimize = new ImageButton(this, QStringLiteral("Minimize"), QPoint(139, 0), QStringLiteral("Minimize"));
  CloseButton = new ImageButton(this, QStringLiteral("CloseButton"), QPoint(173, -1), QStringLiteral("Exit"));
  ImageEmpty = new ImageButton(this, QStringLiteral("ImageEmpty"), QPoint(160, 243), QString());
  ImageEmpty->resize(41, 25);
  ImageEmpty->hide();
  Menu = new ImageButton(this, QStringLiteral("Menu"), QPoint(8, 30), QStringLiteral("Show menu"));
  Counter = new ImageButton(this, QStringLiteral("Counter"), QPoint(101, 30), QStringLiteral("Show counter"));
  Minimize->SetPicture(LoadPicture(skin::Path(skin::kMinimizePicture), QSize(13, 20)));
  Hide->SetPicture(LoadPicture(skin::Path(skin::kHidePicture), QSize(13, 20)));
  CloseButton->SetPicture(LoadPicture(skin::Path(skin::kCloseButtonPicture), QSize(13, 20)));

  // The countdown's controls.
  Label_Time =
      SkinTimeLabel(this, QStringLiteral("Label_Time"), QStringLiteral("00:00:00"), QRect(15, 51, 70, 24),
                    FitFont(SkinFont(19, false), QStringLiteral("00:00:00"), 70));
  // Screen readers read a value label as what it shows; the words that explain it are its description.
  Label_Time->setAccessibleDescription(QStringLiteral("Local time"));
  Label_TimeRemaining =
      SkinTimeLabel(this, QStringLiteral("Label_TimeRemaining"), QStringLiteral("00:00:00"),
                    QRect(106, 51, 79, 24), FitFont(SkinFont(19, true), QStringLiteral("00:00:00"), 79));
  Label_TimeRemaining->setAccessibleDescription(QStringLiteral("Time remaining"));

  SetTime = new TimePicker(QTime(0, 1, 0), this);
  SetTime->setObjectName(QStringLiteral("SetTime"));
  SetTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  SetTime->setGeometry(15, 95, 82, 21);
  SetTime->setFont(SkinFont(13, true));
  SetTime->setAccessibleName(QStringLiteral("Time"));
  // Lime field, black digits; the up/down arrows in dark green so they read on the lime buttons.
  QPalette picker = SetTime->palette();
  picker.setColor(QPalette::Base, QColor(0, 255, 0));
  picker.setColor(QPalette::Text, Qt::black);
  picker.setColor(QPalette::Button, QColor(0, 200, 0));
  picker.setColor(QPalette::ButtonText, QColor(0, 60, 0));
  picker.setColor(QPalette::WindowText, QColor(0, 60, 0));
  picker.setColor(QPalette::Highlight, QColor(0, 90, 0));
  picker.setColor(QPalette::HighlightedText, QColor(0, 255, 0));
  SetTime->setPalette(picker);

  RadioAfter = new SkinRadioButton(QStringLiteral("After"), this);
  RadioAfter->setObjectName(QStringLiteral("RadioAfter"));
  RadioAfter->setGeometry(15, 76, 49, 17);
  RadioAt = new SkinRadioButton(QStringLiteral("At"), this);
  RadioAt->setObjectName(QStringLiteral("RadioAt"));
  RadioAt->setGeometry(63, 76, 33, 17);
  for (QRadioButton* radio : {RadioAfter, RadioAt}) {
    radio->setFont(SkinFont(11, true));
    radio->setMouseTracking(true);
    radio->setFocusPolicy(Qt::NoFocus);
    radio->installEventFilter(this);
  }
  RadioAfter->setChecked(true);
  connect(RadioAfter, &QRadioButton::clicked, this, [this] { Guarded([this] { RadioAfterClick(); }); });
  connect(RadioAt, &QRadioButton::clicked, this, [this] { Guarded([this] { RadioAtClick(); }); });

  Start = new ImageButton(this, QStringLiteral("Start"), QPoint(103, 73), QStringLiteral("Start counting"));
  StopPlaying =
      new ImageButton(this, QStringLiteral("StopPlaying"), QPoint(87, 118), QStringLiteral("Stop playing"));
  StopPlaying->SetPicture(LoadPicture(skin::Path(skin::kStopPlaying), QSize(45, 20)));
  StopPlaying->hide();
  connect(StopPlaying, &QAbstractButton::clicked, this, [this] { Guarded([this] { StopPlayingClick(); }); });
  connect(StopPlaying, &ImageButton::MouseMove, this,
          [this] { Guarded([this] { StopPlayingMouseMove(); }); });

  LabelToolTip = SkinLabel(this, QStringLiteral("LabelToolTip"), QStringLiteral("Watch here for help"),
                           QRect(5, 121, 190, 13), SkinFont(11, true));
  LabelToolTip->setAccessibleDescription(QStringLiteral("Help"));
  StopPlaying->raise(); // over the hint line, so it can always be clicked while a sound plays

  ConnectButton(Start, Start_List, &TForm1::StartClick);
  ConnectButton(Menu, Menu_List, &TForm1::MenuClick);
  ConnectButton(Transparent, Transparent_List, &TForm1::TransparentClick);
  ConnectButton(Options, Options_List, &TForm1::OptionsClick);
  ConnectButton(Counter, Counter_List, &TForm1::CounterClick);
  ConnectButton(TopAlways, TopAlways_List, &TForm1::TopAlwaysClick);
  ConnectButton(ShowTime, ShowTime_List, &TForm1::ShowTimeClick);
  ConnectButton(Minimize, Minimize_List, &TForm1::MinimizeClick);
  ConnectButton(Hide, Hide_List, &TForm1::HideClick);
  ConnectButton(CloseButton, CloseButton_List, &TForm1::CloseButtonClick);

  for (QLabel* label : {Label_Time, Label_TimeRemaining, LabelToolTip}) {
    label->setMouseTracking(true);
    label->installEventFilter(this);
  }
}

void TForm1::ConnectButton(ImageButton* button, const ImageList& list, void (TForm1::*command)()) {
  const ImageList* l = &list;
  connect(button, &ImageButton::MouseDown, this, [this, button, l] { hints_.ImageButtonDown(*l, button); });
  connect(button, &ImageButton::MouseUp, this, [this, button, l] { hints_.ImageButtonUp(*l, button); });
  connect(button, &ImageButton::MouseMove, this, [this, button, l] {
    if (button == Start)
      StartMouseMove();
    else
      hints_.ImageButtonHover(*l, button, button->Hint());
  });
  connect(button, &QAbstractButton::clicked, this,
          [this, command] { Guarded([this, command] { (this->*command)(); }); });
}

bool TForm1::FormCreate() {
  SettingsFileName = QString::fromLatin1(kSettingsFileName);
  if (ProcessCommandLine())
    return false; // a command-line action was handled: the program ends here
  Timer1.start();
  Timer3.start();
  TimerInit.start();
  // Help looks for Help/index.html below the working directory of the start first.
  BrowserCommand = platform_.CurrentDirectory();
  Start_List.Draw(Frame::Normal, Start);
  Options_List.Draw(Frame::Pressed, Options);
  ShowTime_List.Draw(Frame::Normal, ShowTime);
  Transparent_List.Draw(Frame::Normal, Transparent);
  TopAlways_List.Draw(Frame::Normal, TopAlways);
  Menu_List.Draw(Frame::Normal, Menu);
  Counter_List.Draw(Frame::Pressed, Counter);
  hints_.ReleaseHover();
  Selection.ClearPower();
  AlwaysOnTop = false;
  ForceShutDown = true;
  if (!platform_.SupportsTransparency())
    AlphaBlend1->setEnabled(false);
  ApplyMainWindowRegion();
  return true;
}

void TForm1::Attach(TFormOptions* options, TFormCounter* counter, TFormTime* time) {
  FormOptions = options;
  FormCounter = counter;
  FormTime = time;
  // The pointer leaving one of the three windows wakes the hover watch.
  for (QWidget* w : std::initializer_list<QWidget*>{options, counter})
    if (w)
      w->installEventFilter(this);
  group_.Attach(options, counter, time);
}

void TForm1::AttachLate(TFormMessage* message, TFormAbout* about) {
  FormMessage = message;
  FormAbout = about;
  lateWindowsMade_ = true;
}

void TForm1::CreateLateWindows() {
  if (!lateWindowsMade_)
    emit LateWindowsNeeded();
}

SkinPictures TForm1::Skin() const {
  return {TitleBar->Picture(), BackGround->Picture(), CloseButton_List.Frame(0)};
}

void TForm1::paintEvent(QPaintEvent* event) {
  SkinnedWindow::paintEvent(event);
  if (std::exchange(painted_, true))
    return;
  // From the next turn of the event loop: the picture is on its way to the screen by then.
  QTimer::singleShot(0, this, &TForm1::FinishStart);
}

void TForm1::FinishStart() {
  if (!settingsLoaded_ || std::exchange(startFinished_, true))
    return;
  startFallback_.stop();
  group_.ShowAwaitedWindows();
  // The icon that task bars and window switchers show: nothing on screen waited for it.
  setWindowIcon(PictureIcon({skin::kIcon16, skin::kIcon48}, SharpPictures::Always));
  emit StartFinished();
}

void TForm1::ApplyMainWindowRegion() { ApplyOutline(this, OutlineRegion(140, {Box(155, 2, 169, 17)})); }

// ---- Image buttons and the hint line ----

bool TForm1::IsLatched(const ImageButton* button) const {
  return (button == TopAlways && AlwaysOnTop) ||
         (button == Counter && FormCounter && FormCounter->isVisible()) ||
         (button == Options && FormOptions && FormOptions->isVisible()) ||
         (button == Start && CountdownRunning());
}

void TForm1::StartMouseMove() {
  hints_.ImageButtonHover(Start_List, Start, Start->Hint()); // "Stop counting" while a countdown runs
}

void TForm1::BackgroundHover() {
  hints_.ClearHover();
  hints_.HideHint();
}

void TForm1::DragStep(int dx, int dy) {
  // Locked satellites move first, by the same offsets, hidden or not.
  if (FormOptions && FormOptions->Locked())
    FormOptions->MoveBy(dx, dy);
  if (FormCounter && FormCounter->Locked())
    FormCounter->MoveBy(dx, dy);
  MoveBy(dx, dy);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FormOptions || watched == FormCounter) {
    if (event->type() == QEvent::Leave)
      WakeHoverWatch();
    return false;
  }
  if (event->type() == QEvent::MouseMove) {
    auto* e = static_cast<QMouseEvent*>(event);
    if (watched == RadioAfter || watched == RadioAt) {
      hints_.SetHint(watched == RadioAfter ? QStringLiteral("After specified time")
                                           : QStringLiteral("At specified time"),
                     false);
      return false;
    }
    // The labels pass their moves on to the background, then name themselves in the hint line.
    BackgroundMove(e);
    if (!(e->buttons() & Qt::LeftButton)) {
      if (watched == Label_TimeRemaining)
        hints_.SetHint(QStringLiteral("Time remaining"), false);
      else if (watched == Label_Time)
        hints_.SetHint(QStringLiteral("Local time"), false);
    }
    return true;
  }
  if (event->type() == QEvent::MouseButtonPress &&
      (watched == Label_Time || watched == Label_TimeRemaining || watched == LabelToolTip)) {
    BackgroundPress(static_cast<QMouseEvent*>(event));
    return false;
  }
  if (event->type() == QEvent::MouseButtonDblClick && watched == Label_TimeRemaining) {
    Guarded([this] { ShowTimeClick(); });
    return true;
  }
  if (event->type() == QEvent::ContextMenu && watched == Label_TimeRemaining) {
    ShowTimeMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  return SkinnedWindow::eventFilter(watched, event);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) { ShowMainMenu(event->globalPos()); }

void TForm1::Timer3Timer() {
  // Nothing lit and no hint up: nothing to take back, and no need to ask the display server where
  // the pointer is. The watch rests until something lights, rather than wake the program once a
  // second for as long as it runs.
  if (hints_.Idle()) {
    RestHoverWatch();
    return;
  }
  const QPoint p = QCursor::pos();
  auto inside = [&p](const QWidget* w) {
    if (!w)
      return false;
    const QRect r = w->geometry();
    return r.left() <= p.x() && p.x() <= r.left() + r.width() && r.top() <= p.y() &&
           p.y() <= r.top() + r.height();
  };
  if (inside(this) || inside(FormOptions) || inside(FormCounter)) {
    // Over one of the windows themselves, the pointer has to leave it before anything can be taken
    // back, and leaving wakes the watch. Elsewhere in their rectangles (a cut-off corner, where a
    // hidden window would be) no leaving will be told: the watch goes on looking.
    auto over = [](const QWidget* w) { return w && w->isVisible() && w->underMouse(); };
    if (over(this) || over(FormOptions) || over(FormCounter))
      RestHoverWatch();
    return;
  }
  const bool notice = hints_.NoticeShown();
  hints_.ReleaseHover();
  if (!notice) // a notice stays until the user points at something
    hints_.HideHint();
}

void TForm1::RestHoverWatch() {
  // Run by hand while stopped (a test's own ticks), it stays stopped.
  if (Timer3.isActive()) {
    Timer3.stop();
    hoverWatchResting_ = true;
  }
}

void TForm1::WakeHoverWatch() {
  if (hoverWatchResting_) {
    hoverWatchResting_ = false;
    Timer3.start();
  }
}

void TForm1::leaveEvent(QEvent* event) {
  WakeHoverWatch();
  SkinnedWindow::leaveEvent(event);
}

void TForm1::OptionsWindowClosed() { hints_.ImageButtonHover(Options_List, Options, Options->Hint()); }
void TForm1::CounterWindowClosed() { hints_.ImageButtonUp(Counter_List, Counter); }

// ---- Lifecycle ----

void TForm1::TimerInitTimer() {
  TimerInit.stop();
  LoadSettings();
}

void TForm1::CloseButtonClick() {
  if (TimeOnlyView)
    ShowTimeClick();
  close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  Timer1.stop();
  Timer3.stop();
  startFallback_.stop();
  hoverWatchResting_ = false;
  try {
    SaveSettings();
  } catch (...) {
    // Quitting goes on whatever the save met.
  }
  for (QWidget* w :
       std::initializer_list<QWidget*>{FormOptions, FormCounter, FormTime, FormMessage, FormAbout})
    if (w)
      w->hide();
  // Satellites the start has not shown yet stay hidden.
  startFinished_ = true;
  event->accept();
  emit Closed();
}

void TForm1::APM1ResumeAfterSuspend() {
  session_.WokeUp();
  if (!CountdownRunning())
    return;
  StartClick();
  // Shown from a fresh turn of the event loop: the wake-up arrives in a D-Bus callback.
  MessageBoxLater(
      QString(24, QLatin1Char(' ')) + QStringLiteral("System entered in suspended mode!\n\r\n\r") +
          QStringLiteral("Remove the Standby and Hibernate from  Control Panel->Power Options\n\r") +
          QString(22, QLatin1Char(' ')) + QStringLiteral("so that Zarvo to complete successfully!"),
      QStringLiteral("Zarvo: System Suspended"));
}

} // namespace zarvo

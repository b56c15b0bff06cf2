#include "zarvo_fixture.h"

#include <QDateTimeEdit>

namespace zarvo::test {

// Writes "sound" into the platform's log when the stop-playing button appears.
class Zarvo::SoundStepLog final : public QObject {
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

Zarvo::Zarvo() {
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
  // The satellites follow the main window's first picture.
  if (!WaitUntil([this] { return form1->Started(); }))
    qFatal("the start did not finish");
}

Zarvo::~Zarvo() = default;

QWidget* Zarvo::Main() const { return windows.Form1(); }
QWidget* Zarvo::OptionsWindow() const { return windows.FormOptions(); }
QWidget* Zarvo::CounterWindow() const { return windows.FormCounter(); }
QWidget* Zarvo::TimeWindow() const { return windows.FormTime(); }
QWidget* Zarvo::MessageWindow() const { return windows.FormMessage(); }

QList<QWidget*> Zarvo::Group() const { return {Main(), OptionsWindow(), CounterWindow(), TimeWindow()}; }

void Zarvo::Tick(int ms) {
  clock.Advance(ms);
  form1->Timer1Timer();
}

void Zarvo::RunToExpiry() {
  PressStart();
  TickToExpiry();
}

void Zarvo::TickToExpiry() {
  for (int i = 0; i < 200 && Counting(); ++i)
    Tick();
}

void Zarvo::StartTicking() { form1->Timer1.start(); }

void Zarvo::HoverCheck() { form1->Timer3Timer(); }

int Zarvo::Frame(const QWidget* window, const QString& button) {
  return Control<ImageButton>(window, button)->FrameIndex();
}

void Zarvo::HoverBackground(QWidget* window, QPoint at) { QTest::mouseMove(window, at); }

bool Zarvo::Counting() const {
  const QString hint = AccessibleName(Main(), QStringLiteral("Start"));
  if (hint != QStringLiteral("Stop counting") && hint != QStringLiteral("Start counting"))
    qWarning("the Start button's hint is neither: %s", qPrintable(hint));
  return hint == QStringLiteral("Stop counting");
}

QTime Zarvo::PickerTime() const { return Control<QDateTimeEdit>(Main(), QStringLiteral("SetTime"))->time(); }

QColor Zarvo::RemainingColour() const {
  return Control(Main(), QStringLiteral("Label_TimeRemaining"))->palette().color(QPalette::WindowText);
}

QString Zarvo::OptionName(int row) {
  static const char* const kNames[TFormOptions::kRows] = {"ShutDown",  "Restart", "LogOff",  "StandBy",
                                                          "Hibernate", "Zarvo",   "Execute", "Message"};
  return QString::fromLatin1(kNames[row]);
}

bool Zarvo::OptionChecked(int row) const {
  // The check image's picture is the only sign of the selection: the buttons carry no checked state.
  return windows.FormOptions()->CheckState(row) == 1;
}

QString Zarvo::OptionParameter(int row) {
  // The tooltip follows the selection when the pointer moves over the button: move it a little
  // every time, so that each call is a move.
  ++hoverNudge_;
  Hover(OptionsWindow(), OptionName(row), QPoint(10 + hoverNudge_ % 5, 10));
  return Control(OptionsWindow(), OptionName(row))->toolTip();
}

void Zarvo::LogSoundStep() {
  soundLog_ = std::make_unique<SoundStepLog>(platform.calls);
  Control(Main(), QStringLiteral("StopPlaying"))->installEventFilter(soundLog_.get());
}

} // namespace zarvo::test

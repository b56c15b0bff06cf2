#include "options/options_window.h"

#include "assets/skin.h"
#include "framework/dialogs.h"
#include "framework/error_box.h"
#include "framework/hint_line.h"
#include "framework/image_button.h"

#include <QLabel>
#include <QMouseEvent>

namespace zarvo {

namespace {

struct RowLayout {
  const char* name;
  const skin::Strip* strip;
  int top;
  const char* hint;
};

const RowLayout kRowLayouts[TFormOptions::kRows] = {
    {"ShutDown", &skin::kShutDownList, 35, "Shuts Down the computer"},
    {"Restart", &skin::kRestartList, 65, "Restart the computer"},
    {"LogOff", &skin::kLogOffList, 95, "Log Off"},
    {"StandBy", &skin::kStandByList, 125, "StandBy"},
    {"Hibernate", &skin::kHibernateList, 155, "Hibernate"},
    {"Zarvo", &skin::kZarvoList, 185, "Play a sound"},
    {"Execute", &skin::kExecuteList, 215, "Run an application"},
    {"Message", &skin::kMessageList, 245, "Shows a message"},
};

int RowOf(PowerAction a) { return static_cast<int>(a); }

QLabel* BlackBar(QWidget* parent, const QString& name, QRect geometry) {
  auto* bar = new QLabel(parent);
  bar->setObjectName(name);
  bar->setGeometry(geometry);
  bar->setAutoFillBackground(true);
  QPalette pal = bar->palette();
  pal.setColor(QPalette::Window, Qt::black);
  bar->setPalette(pal);
  bar->setAttribute(Qt::WA_TransparentForMouseEvents);
  return bar;
}

} // namespace

TFormOptions::TFormOptions(const QWidget& anchor, HintLine& hints, const SkinPictures& skin, Dialogs& dialogs,
                           ActionSelection& selection)
    : SatelliteWindow(anchor, hints, skin, QStringLiteral("FormOptions"), QStringLiteral("Options"),
                      QSize(200, 280), skin::Path(skin::kOptionsTitle),
                      QStringLiteral("Close Options window"), Dock::LeftOfMain),
      dialogs_(dialogs), selection_(selection) {
  BackGround->setGeometry(0, 0, 200, 282);
  Check_List = ImageList(skin::Path(skin::kCheckList.path), skin::kCheckList.frame, skin::kCheckList.frames);

  BlackBar(this, QStringLiteral("LabelGroup"), QRect(15, 46, 1, 120));
  const int tickTops[kRows] = {46, 76, 105, 135, 165, 195, 225, 255};
  for (int row = 0; row < kRows; ++row) {
    const RowLayout& layout = kRowLayouts[row];
    BlackBar(this, QStringLiteral("LabelGroupLine%1").arg(row + 1), QRect(16, tickTops[row], 5, 2));
    lists_[row] = ImageList(skin::Path(layout.strip->path), layout.strip->frame, layout.strip->frames);
    auto* button = new ImageButton(this, QString::fromLatin1(layout.name), QPoint(41, layout.top),
                                   QString::fromLatin1(layout.hint));
    buttons_[row] = button;
    lists_[row].Draw(Frame::Normal, button);
    // The check image lies over the button's left edge; it only displays, input goes beneath it.
    auto* check = new ImageControl(this, QString::fromLatin1(layout.name) + QStringLiteral("Check"),
                                   QRect(23, layout.top - 1, 35, 25));
    check->setEnabled(false);
    checks_[row] = check;
    SetCheck(row, false);

    connect(button, &ImageButton::MouseDown, this,
            [this, row] { hints_.ImageButtonDown(lists_[row], buttons_[row]); });
    connect(button, &ImageButton::MouseUp, this,
            [this, row] { hints_.ImageButtonUp(lists_[row], buttons_[row]); });
    connect(button, &ImageButton::MouseMove, this, [this, row] { ButtonMoved(row); });
  }
  // Every click runs under the error guard: a dialog that fails shows the error box and the
  // program goes on.
  const auto command = [this](int row, void (TFormOptions::*click)()) {
    connect(buttons_[row], &QAbstractButton::clicked, this, [this, click] {
      RunGuarded(dialogs_, [this, click] { (this->*click)(); });
      emit SelectionChanged();
    });
  };
  command(ShutDownRow, &TFormOptions::ShutDownClick);
  command(RestartRow, &TFormOptions::RestartClick);
  command(LogOffRow, &TFormOptions::LogOffClick);
  command(StandByRow, &TFormOptions::StandByClick);
  command(HibernateRow, &TFormOptions::HibernateClick);
  command(ZarvoRow, &TFormOptions::ZarvoClick);
  command(ExecuteRow, &TFormOptions::ExecuteClick);
  command(MessageRow, &TFormOptions::MessageClick);

  // Frame controls stay in front of the background pictures.
  TitleBar->raise();
  Title->raise();
  CloseButton->raise();
  Align->raise();
  Locked_->raise();
  for (ImageControl* check : checks_)
    check->raise();
}

void TFormOptions::SetCheck(int row, bool selected) {
  checkState_[row] = selected ? 1 : 0;
  Check_List.Draw(checkState_[row], checks_[row]);
}

void TFormOptions::PowerClick(PowerAction action) {
  // Selecting one power action turns any other off; clicking the selected one turns it off.
  const QList<PowerAction> cleared = TogglePowerAction(selection_, action);
  SetCheck(RowOf(action), selection_.Power(action));
  for (PowerAction other : cleared)
    SetCheck(RowOf(other), false);
}

// The three parameter actions ask with a modal dialog, while the countdown goes on behind it: the
// new choice reaches the selection only once the dialog has answered, so that an expiry meanwhile
// acts on the selection as it stood before the click.
void TFormOptions::ZarvoClick() {
  bool selected = !selection_.PlaySoundSelected;
  if (selected) {
    const std::optional<QString> file = dialogs_.OpenFile(
        this, QStringLiteral("Sounds(*.mp3,*.wav)|*.mp3;*.wav"), QStringLiteral("Zarvo.wav"));
    if (file)
      selection_.SoundFileName = *file;
    else
      selected = false;
  }
  selection_.PlaySoundSelected = selected;
  SetCheck(ZarvoRow, selected);
}

void TFormOptions::ExecuteClick() {
  bool selected = !selection_.RunApplicationSelected;
  if (selected) {
    const std::optional<QString> file =
        dialogs_.OpenFile(this, kApplicationsFilter, QStringLiteral("Zarvo.exe"));
    if (file)
      selection_.ApplicationCommand = dialogs_.InputBox(QStringLiteral("Application Path & Parameters"),
                                                        QStringLiteral("Path & parameters:"), *file);
    else
      selected = false;
  }
  selection_.RunApplicationSelected = selected;
  SetCheck(ExecuteRow, selected);
}

void TFormOptions::MessageClick() {
  bool selected = !selection_.ShowMessageSelected;
  if (selected) {
    const QString text = dialogs_.InputBox(QStringLiteral("Message"), QStringLiteral("Message to show:"),
                                           selection_.MessageText);
    selection_.MessageText = text;
    if (text.isEmpty())
      selected = false;
  }
  selection_.ShowMessageSelected = selected;
  SetCheck(MessageRow, selected);
}

void TFormOptions::SelectActions(const ActionSelection& chosen) {
  selection_ = chosen;
  emit SelectionChanged();
  for (PowerAction a : kPowerActions)
    SetCheck(RowOf(a), selection_.Power(a));
  SetCheck(ZarvoRow, selection_.PlaySoundSelected);
  SetCheck(ExecuteRow, selection_.RunApplicationSelected);
  SetCheck(MessageRow, selection_.ShowMessageSelected);
}

void TFormOptions::ButtonMoved(int row) {
  hints_.ImageButtonHover(lists_[row], buttons_[row], buttons_[row]->Hint());
  // The three parameter actions name their parameter in a tooltip once selected.
  if (row == ZarvoRow && selection_.PlaySoundSelected)
    buttons_[row]->setToolTip(QStringLiteral("Sound file= ") + selection_.SoundFileName);
  else if (row == ExecuteRow && selection_.RunApplicationSelected)
    buttons_[row]->setToolTip(QStringLiteral("Path= ") + selection_.ApplicationCommand);
  else if (row == MessageRow && selection_.ShowMessageSelected)
    buttons_[row]->setToolTip(QStringLiteral("Message= ") + selection_.MessageText);
}

void TFormOptions::CloseButtonClick() {
  hide();
  emit Closed();
}

void TFormOptions::mouseMoveEvent(QMouseEvent* event) {
  // Moving over this window releases the main window's hovered button, even a latched toggle.
  hints_.ReleaseHover();
  SatelliteWindow::mouseMoveEvent(event);
}

void TFormOptions::BackgroundHover() { hints_.HideHint(); }

} // namespace zarvo

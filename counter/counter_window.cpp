#include "counter/counter_window.h"

#include "assets/skin.h"
#include "framework/image_button.h"
#include "framework/skin_font.h"

#include <QLabel>

namespace zarvo {

TFormCounter::TFormCounter(MainWindowHooks& main)
    : SatelliteWindow(main, QStringLiteral("FormCounter"), QStringLiteral("Counter"), QSize(200, 140),
                      skin::Path(skin::kCounterTitle), QStringLiteral("Close Counter window"), Dock::BelowMain) {
  auto strip = [](const skin::Strip& s) { return ImageList(skin::Path(s.path), s.frame, s.frames); };
  Start_List = strip(skin::kCounterStartList);
  Pause_List = strip(skin::kCounterPauseList);
  Stop_List = strip(skin::kCounterStopList);

  LabelInfo = SkinLabel(this, QStringLiteral("LabelInfo"), QStringLiteral("Stopped"), QRect(0, 32, 201, 16),
                        SkinFont(13, true));
  LabelInfo->setAttribute(Qt::WA_TransparentForMouseEvents);

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(30, 56, 142, 32);
  Label1->setStyleSheet(QStringLiteral("background: black;"));
  Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

  Label_Time = SkinLabel(this, QStringLiteral("Label_Time"), QStringLiteral("00:00:00:00"), QRect(31, 57, 140, 30),
                         FitFont(SkinFont(24, true), QStringLiteral("00:00:00:00"), 136));
  // Opaque green inside Label1's one-pixel black rim.
  Label_Time->setAutoFillBackground(true);
  QPalette time = Label_Time->palette();
  time.setColor(QPalette::Window, QColor(0, 128, 0));
  Label_Time->setPalette(time);
  Label_Time->setAttribute(Qt::WA_TransparentForMouseEvents);

  Stop = new ImageButton(this, QStringLiteral("Stop"), QPoint(7, 95), QStringLiteral("Stop counting"));
  Pause = new ImageButton(this, QStringLiteral("Pause"), QPoint(71, 95), QStringLiteral("Pause counting"));
  Start = new ImageButton(this, QStringLiteral("Start"), QPoint(135, 95), QStringLiteral("Start counting"));
  const std::pair<ImageButton*, ImageList*> buttons[] = {{Stop, &Stop_List}, {Pause, &Pause_List}, {Start, &Start_List}};
  for (auto [button, list] : buttons) {
    list->Draw(0, button);
    connect(button, &ImageButton::MouseDown, this, [this, button, list] { main_.ImageButtonDown(*list, button); });
    connect(button, &ImageButton::MouseUp, this, [this, button, list] { main_.ImageButtonUp(*list, button); });
    connect(button, &ImageButton::MouseMove, this,
            [this, button, list] { main_.ImageButtonHover(*list, button, button->Hint()); });
  }
  TitleBar->raise();
  Title->raise();
  CloseButton->raise();
  Align->raise();
  Locked_->raise();
}

void TFormCounter::CloseButtonClick() {
  hide();
  main_.CounterWindowClosed();
}

void TFormCounter::BackgroundHover() {
  main_.ClearHover();
  main_.HideHint();
}

} // namespace zarvo

#include "small_windows/message_window.h"

#include "assets/skin.h"
#include "framework/image_button.h"
#include "framework/skin_font.h"
#include "framework/time_format.h"
#include "framework/window_outline.h"
#include "platform/clock.h"
#include "platform/platform.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>

namespace zarvo {

QString StampMessage(int timeOfDayMs, const QString& message) {
  return QStringLiteral("Message at ") + FormatTime(timeOfDayMs) + QStringLiteral(":\r\n") + message;
}

TFormMessage::TFormMessage(const SkinPictures& skin, const Clock& clock, Platform& platform,
                           const QString& messageText)
    : SkinnedWindow(QStringLiteral("FormMessage"), QStringLiteral("Zarvo - Message"), QSize(200, 140),
                    Qt::WindowStaysOnTopHint, WindowRole::Companion),
      MessageText(messageText), clock_(clock), platform_(platform) {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);

  const TitleFrame frame =
      AddTitleFrame(this, skin, skin::Path(skin::kMessageTitle), QStringLiteral("Close"));
  TitleBar = frame.TitleBar;
  Title = frame.Title;
  CloseButton = frame.CloseButton;
  connect(CloseButton, &QAbstractButton::clicked, this, &TFormMessage::CloseButtonClick);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(2, 30, 196, 107);
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setFont(SkinFont(16, true));
  QPalette memo = Memo1->palette();
  memo.setColor(QPalette::Base, QColor(192, 220, 192));
  memo.setColor(QPalette::Text, QColor(0, 128, 0));
  Memo1->setPalette(memo);
  Memo1->setAccessibleName(QStringLiteral("Message"));
  // The scroll bar in the skin's greens instead of the toolkit's grey: a dark groove, a glossy
  // handle with a lime rim, and lime arrows on green buttons.
  Memo1->verticalScrollBar()->setStyleSheet(
      QStringLiteral(
          "QScrollBar:vertical { background: rgb(5, 40, 14); width: 13px; margin: 13px 0 13px 0; border: "
          "none; }"
          "QScrollBar::handle:vertical { min-height: 18px; margin: 1px; border: 1px solid rgb(70, 200, 84);"
          " border-radius: 4px; background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 rgb(40, 150, 56),"
          " stop:0.5 rgb(20, 110, 36), stop:1 rgb(8, 64, 22)); }"
          "QScrollBar::handle:vertical:hover { border-color: rgb(170, 255, 120); }"
          "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"
          "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 13px; subcontrol-origin: "
          "margin;"
          " border: 1px solid rgb(70, 200, 84); background: rgb(14, 80, 28); }"
          "QScrollBar::sub-line:vertical { subcontrol-position: top; border-top-left-radius: 4px;"
          " border-top-right-radius: 4px; }"
          "QScrollBar::add-line:vertical { subcontrol-position: bottom; border-bottom-left-radius: 4px;"
          " border-bottom-right-radius: 4px; }"
          "QScrollBar::add-line:vertical:pressed, QScrollBar::sub-line:vertical:pressed { background: "
          "rgb(60, 200, 50); }"
          "QScrollBar::up-arrow:vertical { image: url(%1); width: 9px; height: 6px; }"
          "QScrollBar::down-arrow:vertical { image: url(%2); width: 9px; height: 6px; }")
          .arg(skin::Path(skin::kScrollUp), skin::Path(skin::kScrollDown)));

  ApplyRegion();
}

void TFormMessage::ApplyRegion() { ApplyOutline(this, OutlineRegion(200)); }

void TFormMessage::ShowMessage() {
  if (!placed_) {
    // The first showing centres the window; later ones keep where the user left it.
    placed_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      MoveTo(screen->geometry().center().x() - width() / 2, screen->geometry().center().y() - height() / 2);
  }
  show();
  raise();
  activateWindow();
}

void TFormMessage::showEvent(QShowEvent* event) {
  SkinnedWindow::showEvent(event);
  // Runs when the window goes from hidden to shown, not for a window that is already up.
  if (!event->spontaneous())
    FormShow();
}

void TFormMessage::FormShow() {
  Memo1->setPlainText(StampMessage(clock_.TimeOfDayMs(), MessageText));
  platform_.Beep();
}

} // namespace zarvo

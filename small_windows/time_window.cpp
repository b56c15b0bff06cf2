#include "small_windows/time_window.h"

#include "framework/skin_font.h"

#include <QContextMenuEvent>
#include <QLabel>

namespace zarvo {

TFormTime::TFormTime(const SkinPictures& skin)
    : SkinnedWindow(QStringLiteral("FormTime"), QStringLiteral("Zarvo"), QSize(112, 25), {},
                    WindowRole::Companion) {
  BackGround = new ImageControl(this, QStringLiteral("BackGround"), QRect(0, 0, 112, 25), false);
  BackGround->SetStretch(true);
  BackGround->SetPicture(skin.background);

  Label_TimeRemaining =
      SkinTimeLabel(this, QStringLiteral("Label_TimeRemaining"), QStringLiteral("00:00:00"),
                    QRect(17, 0, 79, 24), FitFont(SkinFont(19, true), QStringLiteral("00:00:00"), 79));
  Label_TimeRemaining->setAccessibleDescription(QStringLiteral("Time remaining"));
  Label_TimeRemaining->setMouseTracking(true);
  Label_TimeRemaining->installEventFilter(this);

  // Where it stands the first time it is shown; later showings keep where the user left it.
  MoveTo(731, 254);
}

void TFormTime::SetRemaining(const QString& text) {
  if (Label_TimeRemaining->text() != text)
    Label_TimeRemaining->setText(text);
}

bool TFormTime::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label_TimeRemaining && event->type() == QEvent::MouseButtonDblClick) {
    emit ShowTimeRequested();
    return true;
  }
  if (watched == Label_TimeRemaining && event->type() == QEvent::ContextMenu) {
    emit ShowTimeMenuRequested(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  return SkinnedWindow::eventFilter(watched, event);
}

void TFormTime::contextMenuEvent(QContextMenuEvent* event) { emit MenuRequested(event->globalPos()); }

} // namespace zarvo

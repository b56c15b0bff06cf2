#include "framework/satellite_frame.h"

#include "assets/skin.h"
#include "framework/hint_line.h"
#include "framework/image_button.h"
#include "framework/window_outline.h"

#include <QContextMenuEvent>

namespace zarvo {

SatelliteWindow::SatelliteWindow(const QWidget& anchor, HintLine& hints, const SkinPictures& skin,
                                 const QString& name, const QString& caption, QSize size,
                                 const QString& titlePicture, const QString& closeHint, Dock dock)
    : SkinnedWindow(name, caption, size, {}, WindowRole::Satellite), anchor_(anchor), hints_(hints),
      dock_(dock) {
  Align_List = ImageList(skin::Path(skin::kAlignList.path), skin::kAlignList.frame, skin::kAlignList.frames);
  Locked_List =
      ImageList(skin::Path(skin::kLockedList.path), skin::kLockedList.frame, skin::kLockedList.frames);

  BackGround = new ImageControl(this, QStringLiteral("BackGround"), QRect(0, 0, 200, size.height()), false);
  BackGround->SetStretch(true);
  BackGround->SetPicture(skin.background);
  const TitleFrame frame = AddTitleFrame(this, skin, titlePicture, closeHint);
  TitleBar = frame.TitleBar;
  Title = frame.Title;
  CloseButton = frame.CloseButton;
  Align =
      new ImageButton(this, QStringLiteral("Align"), QPoint(140, 1), QStringLiteral("Align to main window"));
  Locked_ = new ImageButton(this, QStringLiteral("Locked"), QPoint(157, 1),
                            QStringLiteral("Lock window - move together"));
  Align_List.Draw(0, Align);
  Locked_List.Draw(0, Locked_);

  connect(Align, &QAbstractButton::clicked, this, &SatelliteWindow::AlignClick);
  connect(Align, &ImageButton::MouseDown, this, [this] { Align_List.Draw(1, Align); });
  connect(Align, &ImageButton::MouseUp, this, [this] { Align_List.Draw(0, Align); });
  connect(Align, &ImageButton::MouseMove, this, [this] { hints_.SetHint(Align->Hint(), true); });
  connect(Locked_, &QAbstractButton::clicked, this, &SatelliteWindow::LockedClick);
  connect(Locked_, &ImageButton::MouseMove, this, [this] { hints_.SetHint(Locked_->Hint(), true); });
  connect(CloseButton, &QAbstractButton::clicked, this, [this] { CloseButtonClick(); });
  connect(CloseButton, &ImageButton::MouseMove, this, [this] { hints_.SetHint(CloseButton->Hint(), true); });

  // Until the settings place it, a satellite stands docked to the main window.
  AlignClick();
  ApplyRegion();
}

void SatelliteWindow::ApplyRegion() {
  ApplyOutline(this, OutlineRegion(height(), {Box(140, 1, 155, 16), Box(157, 1, 172, 16)}));
}

void SatelliteWindow::AlignClick() {
  const QRect m = anchor_.geometry();
  if (dock_ == Dock::LeftOfMain)
    MoveTo(m.x() - width(), m.y());
  else
    MoveTo(m.x(), m.y() + m.height());
}

void SatelliteWindow::LockedClick() {
  locked_ = !locked_;
  Locked_List.Draw(locked_ ? 1 : 0, Locked_);
}

void SatelliteWindow::SetLocked(bool locked) {
  locked_ = !locked;
  LockedClick();
}

void SatelliteWindow::contextMenuEvent(QContextMenuEvent* event) { emit MenuRequested(event->globalPos()); }

} // namespace zarvo

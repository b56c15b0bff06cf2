#include "options/satellite_frame.h"

#include "assets/skin.h"
#include "framework/image_button.h"
#include "framework/window_outline.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace zarvo {

SatelliteWindow::SatelliteWindow(MainWindowHooks& main, const QString& name, const QString& caption,
                                 QSize size, const QString& titlePicture, const QString& closeHint, Dock dock)
    : SkinnedWindow(name, caption, size, {}, WindowRole::Satellite), main_(main), dock_(dock) {
  Align_List = ImageList(skin::Path(skin::kAlignList.path), skin::kAlignList.frame, skin::kAlignList.frames);
  Locked_List = ImageList(skin::Path(skin::kLockedList.path), skin::kLockedList.frame, skin::kLockedList.frames);

  BackGround = new ImageControl(this, QStringLiteral("BackGround"), QRect(0, 0, 200, size.height()), false);
  BackGround->SetStretch(true);
  BackGround->SetPicture(main.BackgroundPicture());
  const TitleFrame frame = AddTitleFrame(this, main, titlePicture, closeHint);
  TitleBar = frame.TitleBar;
  Title = frame.Title;
  CloseButton = frame.CloseButton;
  Align = new ImageButton(this, QStringLiteral("Align"), QPoint(140, 1), QStringLiteral("Align to main window"));
  Locked_ = new ImageButton(this, QStringLiteral("Locked"), QPoint(157, 1),
                            QStringLiteral("Lock window - move together"));
  Align_List.Draw(0, Align);
  Locked_List.Draw(0, Locked_);

  connect(Align, &QAbstractButton::clicked, this, &SatelliteWindow::AlignClick);
  connect(Align, &ImageButton::MouseDown, this, [this] { Align_List.Draw(1, Align); });
  connect(Align, &ImageButton::MouseUp, this, [this] { Align_List.Draw(0, Align); });
  connect(Align, &ImageButton::MouseMove, this, [this] { main_.SetHint(Align->Hint(), true); });
  connect(Locked_, &QAbstractButton::clicked, this, &SatelliteWindow::LockedClick);
  connect(Locked_, &ImageButton::MouseMove, this, [this] { main_.SetHint(Locked_->Hint(), true); });
  connect(CloseButton, &QAbstractButton::clicked, this, [this] { CloseButtonClick(); });
  connect(CloseButton, &ImageButton::MouseMove, this, [this] { main_.SetHint(CloseButton->Hint(), true); });

  // Until the settings place it, a satellite stands docked to the main window.
  AlignClick();
  ApplyRegion();
}

void SatelliteWindow::ApplyRegion() {
  ApplyOutline(this, OutlineRegion(height(), {Box(140, 1, 155, 16), Box(157, 1, 172, 16)}));
}

void SatelliteWindow::AlignClick() {
  const QRect m = main_.MainGeometry();
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

void SatelliteWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (QMenu* menu = main_.MainMenu())
    menu->popup(event->globalPos());
}

} // namespace zarvo

// The frame the Options and Counter windows share: skin, shaped outline, close, Align and Locked.
#pragma once

#include "framework/image_list.h"
#include "framework/skinned_window.h"

#include <QPixmap>

namespace zarvo {

class HintLine;
class ImageButton;

class SatelliteWindow : public SkinnedWindow {
  Q_OBJECT
public:
  enum class Dock { LeftOfMain, BelowMain };

  // `anchor` is the window it docks to, `hints` the shared hint line, `skin` the pictures it copies.
  SatelliteWindow(const QWidget& anchor, HintLine& hints, const SkinPictures& skin, const QString& name,
                  const QString& caption, QSize size, const QString& titlePicture, const QString& closeHint,
                  Dock dock);

  bool Locked() const { return locked_; }
  // Sets the lock as the settings load does: the opposite first, then the Locked toggle.
  void SetLocked(bool locked);

  void AlignClick();
  void LockedClick();
  virtual void CloseButtonClick() = 0;

  // Re-applies the shaped outline (after the stay-on-top style re-created the native window).
  void ApplyRegion();

  ImageControl* BackGround = nullptr;
  ImageControl* TitleBar = nullptr;
  ImageControl* Title = nullptr;
  ImageButton* CloseButton = nullptr;
  ImageButton* Align = nullptr;
  ImageButton* Locked_ = nullptr; // the `Locked` button

  ImageList Align_List;
  ImageList Locked_List;

signals:
  // The window's own close button hid it.
  void Closed();
  // A right click asks for the main popup menu at `globalPos`.
  void MenuRequested(const QPoint& globalPos);

protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

  const QWidget& anchor_;
  HintLine& hints_;

private:
  Dock dock_;
  bool locked_ = false;
};

} // namespace zarvo

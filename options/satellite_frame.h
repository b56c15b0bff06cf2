// The frame the Options and Counter windows share: skin, shaped outline, close, Align and Locked.
#pragma once

#include "framework/image_list.h"
#include "framework/main_window_hooks.h"
#include "framework/skinned_window.h"

#include <QPixmap>

namespace zarvo {

class ImageButton;

class SatelliteWindow : public SkinnedWindow {
  Q_OBJECT
public:
  enum class Dock { LeftOfMain, BelowMain };

  SatelliteWindow(MainWindowHooks& main, const QString& name, const QString& caption, QSize size,
                  const QString& titlePicture, const QString& closeHint, Dock dock);

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

protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

  MainWindowHooks& main_;

private:
  Dock dock_;
  bool locked_ = false;
};

} // namespace zarvo

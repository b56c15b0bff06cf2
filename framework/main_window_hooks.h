// What the other windows call on the main window: its hover routines, hint line, skin and menu.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>

class QMenu;

namespace zarvo {

class ImageButton;
class ImageList;

// What the satellite and small windows call on the main window: its shared hover routines, its
// hint line, its skin pictures and its popup menu.
class MainWindowHooks {
public:
  virtual ~MainWindowHooks() = default;

  virtual void ImageButtonHover(const ImageList& list, ImageButton* image, const QString& text) = 0;
  virtual void ImageButtonDown(const ImageList& list, ImageButton* image) = 0;
  virtual void ImageButtonUp(const ImageList& list, ImageButton* image) = 0;
  // Puts the hovered button back to its normal frame (even a toggle that is on) and clears the hover.
  virtual void ReleaseHover() = 0;
  // Clears the hover the way the main window's own background does (a toggle that is on stays pressed).
  virtual void ClearHover() = 0;

  // The hint line: `always` writes it whatever "Show help" says.
  virtual void SetHint(const QString& text, bool always) = 0;
  virtual void HideHint() = 0;

  virtual QRect MainGeometry() const = 0;
  virtual QMenu* MainMenu() const = 0;
  // The one-item menu of the remaining-time labels ("Show only Time Remaining").
  virtual QMenu* ShowTimeMenu() const = 0;

  // Skin pictures copied by the other windows when they are created.
  virtual QPixmap TitleBarPicture() const = 0;
  virtual QPixmap BackgroundPicture() const = 0;
  virtual QPixmap CloseButtonPicture() const = 0;

  // The close buttons of the satellites hand the main window's Options / Counter button back.
  virtual void OptionsWindowClosed() = 0;
  virtual void CounterWindowClosed() = 0;
};

} // namespace zarvo

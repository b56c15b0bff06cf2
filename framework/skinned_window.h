// A borderless, fixed-size window drawn from pictures and dragged by its background.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace zarvo {

class ImageButton;
class ImageControl;

// How the desktop is to treat a skinned window. The main window stands on its own, with its taskbar
// entry. Every other window accompanies it, in no taskbar or pager of its own, and stays shown
// whichever program is in front (some desktops hide the *utility* windows of a program that is not
// in front, so none of them is one): a companion is a plain window that asks to be left off the
// taskbar; a satellite is moreover a dialog of the window given to StayWith, which the window
// manager keeps it above and minimises and restores it with.
enum class WindowRole { Main, Companion, Satellite };

class SkinnedWindow : public QWidget {
  Q_OBJECT
public:
  SkinnedWindow(const QString& name, const QString& caption, QSize clientSize,
                Qt::WindowFlags extraFlags = {}, WindowRole role = WindowRole::Main);

  // Moves the window: left edge first, then top.
  void MoveTo(int left, int top);
  void MoveBy(int dx, int dy) { MoveTo(x() + dx, y() + dy); }

  // Sets or clears the stay-on-top style, keeping the window's visibility and outline.
  void SetStayOnTop(bool on);

  // The window a satellite stays with.
  void StayWith(QWidget* leader);

  // Alpha blending: a constant alpha value, 0 transparent to 255 opaque, in force while blending is
  // on. A new window is opaque: value 255, blending off.
  void SetAlphaBlendValue(int value);
  void SetAlphaBlend(bool on);
  int AlphaBlendValue() const { return alphaBlendValue_; }
  bool AlphaBlend() const { return alphaBlend_; }

protected:
  // Background handling shared by every window: a press records the drag anchor; a move with the
  // left button held drags (DragStep), a move without records the anchor and runs BackgroundHover.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A moved window is painted anew, whole: a compositor may keep stale pixels in the corners the
  // outline cuts away, such as the title-bar buttons of the window's old place.
  void moveEvent(QMoveEvent* event) override;

  // The same handling for a child control that passes its pointer moves on to the background.
  void BackgroundPress(QMouseEvent* event);
  void BackgroundMove(QMouseEvent* event);

  // One drag step by (dx, dy). The default moves this window alone.
  virtual void DragStep(int dx, int dy) { MoveBy(dx, dy); }
  // A plain pointer move over the background.
  virtual void BackgroundHover() {}

  QPoint anchor_; // global pointer position at the last anchor

private:
  void ApplyOpacity();
  void FollowLeader();

  WindowRole role_;
  QPointer<QWidget> leader_;
  int alphaBlendValue_ = 255;
  bool alphaBlend_ = false;
  // Minimised since it was last shown normally: the toolkit may have marked it to start minimised.
  bool wasMinimised_ = false;
};

// The main window's pictures that the other windows copy when they are made.
struct SkinPictures {
  QPixmap titleBar;
  QPixmap background;
  QPixmap closeButton;
};

// The top of every skinned window but the main one: the main window's title bar picture, the
// window's own title artwork at (15, 0) and the main window's close button picture at (173, -1).
struct TitleFrame {
  ImageControl* TitleBar;
  ImageControl* Title;
  ImageButton* CloseButton;
};
TitleFrame AddTitleFrame(QWidget* window, const SkinPictures& skin, const QString& titlePicture,
                         const QString& closeHint);

} // namespace zarvo

// Three-frame (or two-frame) image lists cut from one horizontal strip, and the image control they draw on.
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>
#include <initializer_list>

namespace zarvo {

// A picture on a window: draws its pixmap (transparent where the picture is), either at its own size
// or stretched over the control. Mouse input passes through to the window unless made interactive.
class ImageControl : public QWidget {
  Q_OBJECT
public:
  explicit ImageControl(QWidget* parent, const QString& name, QRect geometry = {}, bool autoSize = true);

  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return picture_; }
  void SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
  }
  void SetInteractive(bool on) { setAttribute(Qt::WA_TransparentForMouseEvents, !on); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QPixmap picture_;
  bool autoSize_;
  bool stretch_ = false;
};

class ImageButton;

// The frames of a three-state image button; Pressed is also the resting frame of a toggle that is on.
enum class Frame { Normal = 0, Hot = 1, Pressed = 2 };

// Frames of one size cut from a strip laid out left to right. An empty list (no frames) is the
// placeholder list: drawing from it shows nothing.
class ImageList {
public:
  ImageList() = default;
  // Loads `resource` (a strip of `count` frames of `frameSize`). When the picture is missing or has
  // the wrong size, plain frames of the right size stand in, so the window still works.
  ImageList(const QString& resource, QSize frameSize, int count);

  int Count() const { return static_cast<int>(frames_.size()); }
  QPixmap Frame(int index) const;

  // Shows frame `index` on the button or image. Nothing happens for an index outside the list.
  void Draw(int index, ImageButton* button) const;
  void Draw(int index, ImageControl* image) const;
  // The same for the frames of a three-state button.
  void Draw(zarvo::Frame frame, ImageButton* button) const { Draw(static_cast<int>(frame), button); }

private:
  QList<QPixmap> frames_;
};

// Loads a single picture from the resources at `size` (logical pixels); a missing one yields a plain
// stand-in of that size.
QPixmap LoadPicture(const QString& resource, QSize size);

// Every skin picture has a partner drawn at twice the size, "name@2x.ext". Where a screen scales by
// more than 1 the partner is loaded with a device pixel ratio of 2, so it shows at the same logical
// size but crisp; elsewhere, or when there is no partner, the picture itself.
QPixmap LoadSkinPixmap(const QString& resource);
// ":/skin/main/Start_List.png" -> ":/skin/main/Start_List@2x.png"
QString HighDensityName(const QString& resource);

// Reads a skin picture (.png or .jpg) with the decoder its name calls for and no other: guessing
// the format would load every image plugin there is before the first window is painted.
QPixmap ReadPicture(const QString& resource);
// The same, as an image (for what is sent off the screen, such as a notification's picture).
QImage ReadImage(const QString& resource);

// An icon of one or more skin pictures of different sizes, read as ReadPicture does, with the ones
// drawn at twice the size where the screen scales, or always (the program's own icon, which the
// desktop shows at sizes of its choosing).
enum class SharpPictures { WhereTheScreenScales, Always };
QIcon PictureIcon(std::initializer_list<const char*> resources,
                  SharpPictures sharp = SharpPictures::WhereTheScreenScales);

} // namespace zarvo

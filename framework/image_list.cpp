#include "framework/image_list.h"

#include "framework/image_button.h"

#include <QPainter>

namespace zarvo {

ImageControl::ImageControl(QWidget* parent, const QString& name, QRect geometry, bool autoSize)
    : QWidget(parent), autoSize_(autoSize) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  if (!geometry.isNull())
    setGeometry(geometry);
}

void ImageControl::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  if (autoSize_ && !picture.isNull())
    resize(picture.size() / picture.devicePixelRatio());
  update();
}

void ImageControl::paintEvent(QPaintEvent*) {
  if (picture_.isNull())
    return;
  QPainter p(this);
  if (stretch_)
    p.drawPixmap(rect(), picture_);
  else
    p.drawPixmap(0, 0, picture_);
}

namespace {

// A neutral stand-in frame: dark green with a lighter rim, brighter for hover and pressed.
QPixmap StandIn(QSize size, int shade) {
  QPixmap pm(size);
  pm.fill(QColor(0, 70 + 40 * shade, 0));
  QPainter p(&pm);
  p.setPen(QColor(0, 255, 0));
  p.drawRect(0, 0, size.width() - 1, size.height() - 1);
  return pm;
}

} // namespace

ImageList::ImageList(const QString& resource, QSize frameSize, int count) {
  const QPixmap strip(resource);
  const bool usable = !strip.isNull() && strip.height() == frameSize.height() &&
                      strip.width() == frameSize.width() * count;
  for (int i = 0; i < count; ++i)
    frames_.append(usable ? strip.copy(i * frameSize.width(), 0, frameSize.width(), frameSize.height())
                          : StandIn(frameSize, i));
}

QPixmap ImageList::Frame(int index) const {
  return index >= 0 && index < Count() ? frames_.at(index) : QPixmap();
}

void ImageList::Draw(int index, ImageButton* button) const {
  if (button && index >= 0 && index < Count())
    button->SetPicture(frames_.at(index), index);
}

void ImageList::Draw(int index, ImageControl* image) const {
  if (image && index >= 0 && index < Count())
    image->SetPicture(frames_.at(index));
}

QPixmap LoadPicture(const QString& resource, QSize size) {
  QPixmap pm(resource);
  return pm.isNull() ? StandIn(size, 0) : pm;
}

} // namespace zarvo

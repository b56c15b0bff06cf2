#include "framework/image_list.h"

#include "framework/decoded_pictures.h"

#include "framework/image_button.h"

#include <QGuiApplication>
#include <QImageReader>
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
  const QPixmap strip = LoadSkinPixmap(resource);
  const qreal ratio = strip.devicePixelRatio();
  const bool usable = !strip.isNull() && strip.deviceIndependentSize().toSize() ==
                                             QSize(frameSize.width() * count, frameSize.height());
  // Frames are cut in the picture's own pixels, which a picture drawn at twice the size has twice
  // as many of; each frame keeps the picture's ratio, so it shows at the logical frame size.
  const int w = qRound(frameSize.width() * ratio), h = qRound(frameSize.height() * ratio);
  for (int i = 0; i < count; ++i) {
    if (!usable) {
      frames_.append(StandIn(frameSize, i));
      continue;
    }
    QPixmap frame = strip.copy(i * w, 0, w, h);
    frame.setDevicePixelRatio(ratio);
    frames_.append(frame);
  }
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

QString HighDensityName(const QString& resource) {
  const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
  const qsizetype slash = resource.lastIndexOf(QLatin1Char('/'));
  if (dot <= slash + 1)
    return resource + QStringLiteral("@2x");
  return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

QPixmap LoadSkinPixmap(const QString& resource) {
  if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
    QPixmap sharp = ReadPicture(HighDensityName(resource));
    if (!sharp.isNull()) {
      sharp.setDevicePixelRatio(2.0);
      return sharp;
    }
  }
  return ReadPicture(resource);
}

QPixmap LoadPicture(const QString& resource, QSize size) {
  QPixmap pm = LoadSkinPixmap(resource);
  if (pm.isNull())
    return StandIn(size, 0);
  if (pm.deviceIndependentSize().toSize() == size)
    return pm;
  // A picture of another size is fitted to its place, keeping its density.
  const qreal ratio = pm.devicePixelRatio();
  QPixmap fitted = pm.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  fitted.setDevicePixelRatio(ratio);
  return fitted;
}

QImage ReadImage(const QString& resource) {
  if (std::optional<QImage> ready = DecodedPictures::Take(resource))
    return *std::move(ready);
  const QByteArray format = resource.endsWith(QLatin1String(".jpg"))   ? QByteArrayLiteral("jpeg")
                            : resource.endsWith(QLatin1String(".png")) ? QByteArrayLiteral("png")
                                                                       : QByteArray();
  QImageReader reader(resource, format);
  reader.setAutoDetectImageFormat(format.isEmpty());
  return reader.read();
}

QPixmap ReadPicture(const QString& resource) { return QPixmap::fromImage(ReadImage(resource)); }

QIcon PictureIcon(std::initializer_list<const char*> resources, SharpPictures sharp) {
  const bool scaled = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
  QIcon icon;
  for (const char* resource : resources) {
    QStringList names{QString::fromLatin1(resource)};
    if (scaled || sharp == SharpPictures::Always)
      names << HighDensityName(names.front());
    for (const QString& name : names)
      if (const QPixmap pm = ReadPicture(name); !pm.isNull())
        icon.addPixmap(pm); // the icon picks the sharp one where the screen scales
  }
  return icon;
}

} // namespace zarvo

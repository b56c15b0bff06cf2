#include "framework/decoded_pictures.h"

#include <QGuiApplication>
#include <QResource>

#include <csetjmp>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace zarvo {

namespace {

// The set ReadImage takes from; only the thread that published it touches it.
DecodedPictures* published = nullptr;

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back here.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegSilent(j_common_ptr, int) {}

// The picture is the caller's, so that nothing with a destructor lives in the frame that an error
// jumps out of.
bool DecodeJpegInto(const QByteArray& data, QImage& image) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegErrorExit;
  error.manager.emit_message = JpegSilent;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
               static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.num_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  // Four bytes a pixel in the byte order of RGB32 on this machine, the last one unused.
  info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
  jpeg_start_decompress(&info);
  if (info.output_width > 4096 || info.output_height > 4096 || info.output_components != 4) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
  if (image.isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(int(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

} // namespace

QImage DecodePng(const QByteArray& data) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data.constData(), size_t(data.size())))
    return {};
  if (png.width > 4096 || png.height > 4096) {
    png_image_free(&png);
    return {};
  }
  const bool alpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  // ARGB32 and RGB32 are one 32-bit word a pixel: B, G, R, A in memory on a little-endian machine.
  png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  QImage image(int(png.width), int(png.height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) {
    png_image_free(&png);
    return {};
  }
  if (!png_image_finish_read(&png, nullptr, image.bits(), png_int_32(image.bytesPerLine()), nullptr))
    return {}; // the library has freed its state
  return image;
}

QImage DecodeJpeg(const QByteArray& data) {
  QImage image;
  return DecodeJpegInto(data, image) ? image : QImage();
}

DecodedPictures::~DecodedPictures() {
  if (published == this)
    published = nullptr;
}

void DecodedPictures::Decode(const QStringList& resources) {
  QHash<QString, QImage> pictures;
  for (const QString& resource : resources) {
    const QResource file(resource);
    if (!file.isValid())
      continue;
    const QByteArray data = file.uncompressedData();
    const QImage image = resource.endsWith(QLatin1String(".png"))   ? DecodePng(data)
                         : resource.endsWith(QLatin1String(".jpg")) ? DecodeJpeg(data)
                                                                    : QImage();
    if (!image.isNull())
      pictures.insert(resource, image);
  }
  const std::lock_guard lock(mutex_);
  pictures_ = std::move(pictures);
  done_ = true;
  decoded_.notify_all();
}

void DecodedPictures::Publish() {
  std::unique_lock lock(mutex_);
  decoded_.wait(lock, [this] { return done_; });
  // A screen that scales reads the pictures drawn at twice the size: these would only be kept.
  if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0)
    pictures_.clear();
  published = this;
}

std::optional<QImage> DecodedPictures::Take(const QString& resource) {
  if (!published)
    return std::nullopt;
  QHash<QString, QImage>& pictures = published->pictures_;
  const auto it = pictures.constFind(resource);
  if (it == pictures.constEnd())
    return std::nullopt;
  QImage image = *it;
  pictures.erase(it);
  return image;
}

} // namespace zarvo

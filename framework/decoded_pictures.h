// Skin pictures decoded ahead of the windows, on another thread, while the application object
// connects to the display: the windows then take them ready instead of decoding them one by one
// before the first paint.
//
// Decoding needs neither the application object nor Qt's image plugins (PNG through libpng, JPEG
// through libjpeg, straight from the compiled-in resources), so it may start first thing in main.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <optional>

namespace zarvo {

class DecodedPictures {
public:
  DecodedPictures() = default;
  // Stops handing out pictures (see Publish).
  ~DecodedPictures();
  DecodedPictures(const DecodedPictures&) = delete;
  DecodedPictures& operator=(const DecodedPictures&) = delete;

  // Decodes each resource (":/...png" or ":/...jpg"); one that cannot be decoded is left out, and
  // is read the usual way when a window asks for it. Any thread; once.
  void Decode(const QStringList& resources);

  // Waits for Decode to finish, then makes the pictures the ones ReadImage hands out: each is
  // taken on its first read, later reads decode as usual. The thread that reads the pictures,
  // once the application object exists; where the screen scales, the set is dropped instead (the
  // windows read the pictures drawn at twice the size).
  void Publish();

  // The published picture of `resource`, taken out of the set; nothing when there is none.
  static std::optional<QImage> Take(const QString& resource);

private:
  std::mutex mutex_;
  std::condition_variable decoded_;
  bool done_ = false;
  QHash<QString, QImage> pictures_;
};

// The picture in `data` (the bytes of a PNG or JPEG file), decoded as Qt's own readers do: ARGB32
// where the file has transparency, else RGB32. A null image where the bytes are not a picture.
QImage DecodePng(const QByteArray& data);
QImage DecodeJpeg(const QByteArray& data);

} // namespace zarvo

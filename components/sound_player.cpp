#include "components/sound_player.h"

#include "components/sound_mp3.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>

namespace zarvo {

namespace {

const QString kNoDevice = QStringLiteral("No MCI device open");

// How long Open waits for the sound system before it gives up.
constexpr int kLoadTimeoutMs = 10000;
constexpr int kDurationTimeoutMs = 5000;

QString OpenErrorText(const QString& fileName, const QString& reason) {
  return QStringLiteral("Cannot open the sound file \"%1\": %2").arg(fileName, reason);
}

// Problems we can name before the sound system sees the file; its own texts for these are vague
// ("Resource not found.") and an empty name never gets an answer at all.
QString CheckFile(const QString& fileName) {
  if (fileName.isEmpty())
    return QStringLiteral("No sound file was given.");
  const QFileInfo info(fileName);
  if (!info.exists())
    return OpenErrorText(fileName, QStringLiteral("the file does not exist."));
  if (info.isDir())
    return OpenErrorText(fileName, QStringLiteral("it is a folder, not a file."));
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    return OpenErrorText(fileName, QStringLiteral("the file cannot be read (%1).").arg(file.errorString()));
  return {};
}

} // namespace

// One open device: the Qt player, its output and what we track on top of them.
struct Device {
  QAudioOutput output; // declared first: the player goes before its output
  QMediaPlayer player;
  QString error;       // first error the sound system reported
  bool atEnd = false;  // playback has reached the end of the sound
  qint64 length = 0;   // ms
  bool lengthFixed = false; // counted from the file itself; the sound system's estimates do not count

  Device() { player.setAudioOutput(&output); }
};

struct TMediaPlayer::Impl {
  std::unique_ptr<Device> device;
  // Counts Open and Close calls, so that an Open waiting for the sound system notices when a call
  // made from inside its wait (a timer, say) has opened or closed the device meanwhile.
  quint64 generation = 0;
};

namespace {

// Runs a local event loop until `done` holds, the device reports an error, or `timeoutMs` passes.
// User input stays queued meanwhile; timers and the sound system's own messages are served.
bool WaitFor(Device& dev, int timeoutMs, const std::function<bool()>& done) {
  if (done() || !dev.error.isEmpty())
    return done();
  QEventLoop loop;
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
  const auto check = [&] {
    if (done() || !dev.error.isEmpty())
      loop.quit();
  };
  QObject::connect(&dev.player, &QMediaPlayer::mediaStatusChanged, &loop, check);
  QObject::connect(&dev.player, &QMediaPlayer::durationChanged, &loop, check);
  QObject::connect(&dev.player, &QMediaPlayer::errorOccurred, &loop, check);
  timeout.start(timeoutMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  return done();
}

// The exact length of an MP3 file, counted from its frames; nothing for other kinds of file.
std::optional<qint64> Mp3Length(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
    return std::nullopt;
  if (const uchar* mapped = file.map(0, file.size()))
    return Mp3DurationMs(QByteArrayView(mapped, file.size()));
  return Mp3DurationMs(file.readAll());
}

} // namespace

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}

TMediaPlayer::~TMediaPlayer() { Close(); }

void TMediaPlayer::Open() {
  Close();
  const quint64 generation = ++d->generation;
  const QString fileName = FileName;

  if (const QString problem = CheckFile(fileName); !problem.isEmpty())
    throw EMCIDeviceError(problem);

  auto dev = std::make_unique<Device>();
  Device* raw = dev.get();
  connect(&raw->player, &QMediaPlayer::errorOccurred, &raw->player,
          [raw](QMediaPlayer::Error, const QString& text) {
            if (raw->error.isEmpty())
              raw->error = text.isEmpty() ? QStringLiteral("the sound system reported an error.") : text;
            // An error during playback ends it: the sound counts as played through.
            raw->atEnd = true;
          });
  connect(&raw->player, &QMediaPlayer::mediaStatusChanged, &raw->player, [raw](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia)
      raw->atEnd = true;
  });
  connect(&raw->player, &QMediaPlayer::durationChanged, &raw->player, [raw](qint64 ms) {
    if (ms > 0 && !raw->lengthFixed)
      raw->length = ms;
  });

  QPointer<TMediaPlayer> self(this);
  const auto superseded = [&] { return !self || d->generation != generation; };

  raw->player.setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
  const bool loaded = WaitFor(*raw, kLoadTimeoutMs, [raw] {
    const auto status = raw->player.mediaStatus();
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::InvalidMedia;
  });
  if (superseded())
    return; // a newer Open or a Close made from inside the wait stands
  if (!raw->error.isEmpty())
    throw EMCIDeviceError(OpenErrorText(fileName, raw->error));
  if (!loaded)
    throw EMCIDeviceError(OpenErrorText(fileName, QStringLiteral("the sound system did not answer in time.")));
  if (raw->player.mediaStatus() == QMediaPlayer::InvalidMedia)
    throw EMCIDeviceError(OpenErrorText(fileName, QStringLiteral("the sound system cannot play it.")));
  if (!raw->player.hasAudio())
    throw EMCIDeviceError(OpenErrorText(fileName, QStringLiteral("it contains no sound.")));

  if (const auto mp3Length = Mp3Length(fileName)) {
    raw->length = *mp3Length;
    raw->lengthFixed = true;
  } else {
    raw->length = std::max<qint64>(raw->length, raw->player.duration());
  }
  if (raw->length <= 0) {
    // Some streams tell their length only once data flows: play silently until it is known, then
    // go back to the start.
    raw->output.setMuted(true);
    raw->player.play();
    WaitFor(*raw, kDurationTimeoutMs, [raw] { return raw->length > 0 || raw->atEnd; });
    if (superseded())
      return;
    raw->player.pause();
    raw->player.setPosition(0);
    raw->output.setMuted(false);
    if (!raw->error.isEmpty())
      throw EMCIDeviceError(OpenErrorText(fileName, raw->error));
    if (raw->length <= 0 && !raw->atEnd)
      throw EMCIDeviceError(OpenErrorText(fileName, QStringLiteral("the sound system cannot tell its length.")));
    if (raw->length <= 0)
      raw->length = raw->player.position(); // so short that it ended before telling its length
    raw->atEnd = false;
  }
  d->device = std::move(dev);
}

void TMediaPlayer::Play() {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  Device& dev = *d->device;
  if (dev.atEnd) {
    dev.atEnd = false;
    dev.player.setPosition(0);
  }
  dev.player.play();
}

void TMediaPlayer::Stop() {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  // pause, not stop: QMediaPlayer::stop would rewind, and the sound stays where it was stopped.
  if (d->device->player.playbackState() == QMediaPlayer::PlayingState)
    d->device->player.pause();
}

void TMediaPlayer::Close() {
  ++d->generation;
  if (!d->device)
    return;
  d->device->player.stop();
  d->device.reset();
}

int TMediaPlayer::Position() const {
  if (!d->device)
    return 0;
  const Device& dev = *d->device;
  const qint64 length = dev.length;
  if (dev.atEnd || length <= 0)
    return static_cast<int>(length);
  // Before the end has been reported the position stays below the length, so that "position ==
  // length" means the end has been reached and nothing else.
  return static_cast<int>(std::clamp<qint64>(dev.player.position(), 0, length - 1));
}

int TMediaPlayer::Length() const {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  return static_cast<int>(d->device->length);
}

bool TMediaPlayer::IsOpen() const { return d->device != nullptr; }

} // namespace zarvo

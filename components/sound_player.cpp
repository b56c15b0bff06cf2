#include "components/sound_player.h"

#include "components/sound_mp3.h"
#include "components/sound_output.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QPointer>
#include <QTimer>
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

// One open device: the sound module's output and what we track on top of it.
struct Device {
  std::unique_ptr<SoundOutput> output;
  QString error;                 // first error the sound system reported
  bool atEnd = false;            // playback has reached the end of the sound
  qint64 length = 0;             // ms
  bool lengthFixed = false;      // counted from the file itself; the sound system's estimates do not count
  std::function<void()> changed; // set while Open waits for the sound system

  explicit Device(SoundOutput* out) : output(out) {
    output->SetListener([this](SoundOutput::Event event, const QString& text) {
      switch (event) {
      case SoundOutput::Event::Error:
        if (error.isEmpty())
          error = text.isEmpty() ? QStringLiteral("the sound system reported an error.") : text;
        // An error during playback ends it: the sound counts as played through.
        atEnd = true;
        break;
      case SoundOutput::Event::StatusChanged:
        if (output->MediaStatus() == SoundOutput::Status::EndOfMedia)
          atEnd = true;
        break;
      case SoundOutput::Event::DurationChanged:
        if (const qint64 ms = output->Duration(); ms > 0 && !lengthFixed)
          length = ms;
        break;
      }
      if (changed)
        changed();
    });
  }
  ~Device() { output->SetListener({}); }
};

struct TMediaPlayer::Impl {
  std::unique_ptr<Device> device;
  // Counts Open and Close calls, so that an Open waiting for the sound system notices when a call
  // made from inside its wait (a timer, say) has opened or closed the device meanwhile.
  quint64 generation = 0;
  // The sound module's factory, found at the first Open; the module then stays loaded.
  CreateSoundOutputFunction create = nullptr;
  QString moduleProblem;
  bool opening = false;
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
  dev.changed = [&] {
    if (done() || !dev.error.isEmpty())
      loop.quit();
  };
  timeout.start(timeoutMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  dev.changed = nullptr;
  return done();
}

// Where the sound module may be: beside the program (the build tree), in <libdir>/zarvo relative
// to it (installed under any prefix), and where this build put it (tests run from other folders).
QStringList SoundModuleCandidates() {
  const QString here = QCoreApplication::applicationDirPath();
  const QString name = QString::fromLatin1(kSoundModuleName);
  return {here + QLatin1Char('/') + name,
          QDir::cleanPath(here + QStringLiteral("/" ZARVO_SOUND_MODULE_FROM_BINARY "/") + name),
          QStringLiteral(ZARVO_SOUND_MODULE_BUILT)};
}

// The length of an MP3 file counted from its frames (estimated from its beginning when it is
// huge); nothing for other kinds of file. Reads at most kMp3CountedBytes, whatever the file's size.
std::optional<qint64> Mp3Length(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
    return std::nullopt;
  const qint64 size = file.size();
  const QByteArray prefix = file.read(std::min(size, kMp3CountedBytes));
  if (prefix.isEmpty())
    return std::nullopt;
  return Mp3DurationMs(prefix, std::max<qint64>(size, prefix.size()));
}

} // namespace

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}

TMediaPlayer::~TMediaPlayer() { Close(); }

void TMediaPlayer::Open() {
  Close();
  const quint64 generation = ++d->generation;
  d->opening = true;
  QMetaObject::invokeMethod(
      this,
      [this, generation] {
        if (d->generation != generation)
          return;
        QString error;
        try {
          OpenNow();
        } catch (const EMCIDeviceError& e) {
          error = e.Text();
        }
        if (d->generation != generation)
          return;
        d->opening = false;
        emit Opened(error);
      },
      Qt::QueuedConnection);
}

bool TMediaPlayer::IsOpening() const { return d->opening; }

void TMediaPlayer::OpenNow() {
  const quint64 generation = d->generation;
  const QString fileName = FileName;

  if (const QString problem = CheckFile(fileName); !problem.isEmpty())
    throw EMCIDeviceError(problem);

  if (!d->create) {
    for (const QString& path : SoundModuleCandidates()) {
      if (!QFileInfo::exists(path))
        continue;
      QLibrary module(path);
      d->create = reinterpret_cast<CreateSoundOutputFunction>(module.resolve(kCreateSoundOutputSymbol));
      if (d->create)
        break;
      d->moduleProblem = module.errorString();
    }
    if (!d->create)
      throw EMCIDeviceError(OpenErrorText(
          fileName, QStringLiteral("the sound system cannot be loaded (%1).")
                        .arg(d->moduleProblem.isEmpty()
                                 ? QString::fromLatin1(kSoundModuleName) + QStringLiteral(" is not installed")
                                 : d->moduleProblem)));
  }

  auto dev = std::make_unique<Device>(d->create());
  Device* raw = dev.get();
  SoundOutput& out = *raw->output;

  QPointer<TMediaPlayer> self(this);
  const auto superseded = [&] { return !self || d->generation != generation; };

  out.SetSource(QFileInfo(fileName).absoluteFilePath());
  const bool loaded = WaitFor(*raw, kLoadTimeoutMs, [raw] {
    const auto status = raw->output->MediaStatus();
    return status == SoundOutput::Status::Loaded || status == SoundOutput::Status::Invalid;
  });
  if (superseded())
    return; // a newer Open or a Close made from inside the wait stands
  if (!raw->error.isEmpty())
    throw EMCIDeviceError(OpenErrorText(fileName, raw->error));
  if (!loaded)
    throw EMCIDeviceError(
        OpenErrorText(fileName, QStringLiteral("the sound system did not answer in time.")));
  if (out.MediaStatus() == SoundOutput::Status::Invalid)
    throw EMCIDeviceError(OpenErrorText(fileName, QStringLiteral("the sound system cannot play it.")));
  if (!out.HasAudio())
    throw EMCIDeviceError(OpenErrorText(fileName, QStringLiteral("it contains no sound.")));

  if (const auto mp3Length = Mp3Length(fileName)) {
    raw->length = *mp3Length;
    raw->lengthFixed = true;
  } else {
    raw->length = std::max<qint64>(raw->length, out.Duration());
  }
  if (raw->length <= 0) {
    // Some streams tell their length only once data flows: play silently until it is known, then
    // go back to the start.
    out.SetMuted(true);
    out.Play();
    WaitFor(*raw, kDurationTimeoutMs, [raw] { return raw->length > 0 || raw->atEnd; });
    if (superseded())
      return;
    out.Pause();
    out.SetPosition(0);
    out.SetMuted(false);
    if (!raw->error.isEmpty())
      throw EMCIDeviceError(OpenErrorText(fileName, raw->error));
    if (raw->length <= 0 && !raw->atEnd)
      throw EMCIDeviceError(
          OpenErrorText(fileName, QStringLiteral("the sound system cannot tell its length.")));
    if (raw->length <= 0)
      raw->length = out.Position(); // so short that it ended before telling its length
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
    dev.output->SetPosition(0);
  }
  dev.output->Play();
}

void TMediaPlayer::Stop() {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  // pause, not stop: QMediaPlayer::stop would rewind, and the sound stays where it was stopped.
  if (d->device->output->Playing())
    d->device->output->Pause();
}

void TMediaPlayer::Close() {
  ++d->generation;
  d->opening = false;
  if (!d->device)
    return;
  d->device->output->Stop();
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
  return static_cast<int>(std::clamp<qint64>(dev.output->Position(), 0, length - 1));
}

int TMediaPlayer::Length() const {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  return static_cast<int>(d->device->length);
}

bool TMediaPlayer::IsOpen() const { return d->device != nullptr; }

} // namespace zarvo

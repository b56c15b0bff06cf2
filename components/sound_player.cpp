#include "components/sound_player.h"

#include "components/sound_mp3.h"
#include "components/sound_output.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QLibrary>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarvo {

namespace {

const QString kNoDevice = QStringLiteral("No MCI device open");

// How long Open waits for the sound system before it gives up.
constexpr int kOpenTimeoutMs = 10000;

QString OpenErrorText(const QString& fileName, const QString& reason) {
  return QStringLiteral("Cannot open the sound file \"%1\": %2").arg(fileName, reason);
}

// Opens `fileName` for reading if it is a regular file. Never waits: a pipe that a writer took the
// place of between a check and the open is refused, not waited on. Says why it could not.
QString OpenRegularFile(const QString& fileName, QFile& file) {
  const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return QString::fromLocal8Bit(std::strerror(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return QStringLiteral("not a regular file");
  }
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return file.errorString();
  }
  return {};
}

// Problems we can name before the sound system sees the file; its own texts for these are vague
// ("Resource not found.") and an empty name never gets an answer at all. Nothing but a regular
// file is opened: reading a pipe that has no writer would wait for ever.
QString CheckFile(const QString& fileName) {
  if (fileName.isEmpty())
    return QStringLiteral("No sound file was given.");
  const QFileInfo info(fileName);
  if (!info.exists())
    return OpenErrorText(fileName, QStringLiteral("the file does not exist."));
  if (info.isDir())
    return OpenErrorText(fileName, QStringLiteral("it is a folder, not a file."));
  if (!info.isFile())
    return OpenErrorText(fileName, QStringLiteral("it is not a regular file, but a pipe or a device."));
  if (info.size() == 0)
    return OpenErrorText(fileName, QStringLiteral("the file is empty."));
  QFile file;
  if (const QString reason = OpenRegularFile(fileName, file); !reason.isEmpty())
    return OpenErrorText(fileName, QStringLiteral("the file cannot be read (%1).").arg(reason));
  return {};
}

// The length of an MP3 file counted from its frames, where the sound system would only estimate
// it: with no encoder information frame (Xing, Info, VBRI) it guesses from the bit rate of the
// first frames, which is far off for a variable bit rate. Nothing for other files, whose length
// the sound system knows. Reads at most kMp3CountedBytes, whatever the file's size; runs off the
// GUI thread.
std::optional<qint64> CountedMp3Length(const QString& fileName) {
  QFile file;
  if (!OpenRegularFile(fileName, file).isEmpty() || file.size() <= 0)
    return std::nullopt;
  const qint64 size = file.size();
  const QByteArray prefix = file.read(std::min(size, kMp3CountedBytes));
  if (prefix.isEmpty() || Mp3HasInfoFrame(prefix))
    return std::nullopt;
  return Mp3DurationMs(prefix, std::max<qint64>(size, prefix.size()));
}

// Where the sound module may be: beside the program (the build tree), in its folder relative to
// the program (installed under any prefix), and where this build put it (tests run from other
// folders).
QStringList SoundModuleCandidates() {
  const QString here = QCoreApplication::applicationDirPath();
  const QString name = QString::fromLatin1(kSoundModuleName);
  return {here + QLatin1Char('/') + name,
          QDir::cleanPath(here + QStringLiteral("/" ZARVO_SOUND_MODULE_FROM_BINARY "/") + name),
          QStringLiteral(ZARVO_SOUND_MODULE_BUILT)};
}

using Count = QFutureWatcher<std::optional<qint64>>;

} // namespace

struct TMediaPlayer::Impl {
  // An Open under way: the sound system prepares the file while its frames are counted.
  struct Request {
    quint64 id = 0;
    QString fileName;
    std::unique_ptr<SoundOutput> output;
    bool prepared = false;
    Count* count = nullptr;    // deleted later: it may be the one telling us that it has finished
    QTimer* timeout = nullptr; // likewise
    ~Request() {
      for (QObject* o : std::initializer_list<QObject*>{count, timeout})
        if (o)
          o->deleteLater();
    }
  };

  std::unique_ptr<Request> request;
  std::unique_ptr<SoundOutput> device; // open: ready to play
  quint64 deviceRequest = 0;           // the Open that opened it
  qint64 length = 0;                   // ms
  bool atEnd = false;                  // playback has reached the end of the sound
  quint64 requests = 0;
  // The sound module's factory, found at the first Open; the module then stays loaded.
  CreateSoundOutputFunction create = nullptr;
  QString moduleProblem;

  bool Current(quint64 id) const { return request && request->id == id; }

  QString LoadModule(const QString& fileName) {
    if (create)
      return {};
    for (const QString& path : SoundModuleCandidates()) {
      if (!QFileInfo::exists(path))
        continue;
      QLibrary module(path);
      create = reinterpret_cast<CreateSoundOutputFunction>(module.resolve(kCreateSoundOutputSymbol));
      if (create)
        return {};
      moduleProblem = module.errorString();
    }
    return OpenErrorText(fileName, QStringLiteral("the sound system cannot be loaded (%1).")
                                       .arg(moduleProblem.isEmpty() ? QString::fromLatin1(kSoundModuleName) +
                                                                          QStringLiteral(" is not installed")
                                                                    : moduleProblem));
  }
};

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}

TMediaPlayer::~TMediaPlayer() { Close(); }

void TMediaPlayer::Open() {
  Close();
  const quint64 id = ++d->requests;
  d->request = std::make_unique<Impl::Request>();
  Impl::Request& r = *d->request;
  r.id = id;
  r.fileName = FileName;

  QString problem = CheckFile(r.fileName);
  if (problem.isEmpty())
    problem = d->LoadModule(r.fileName);
  if (!problem.isEmpty()) {
    QMetaObject::invokeMethod(
        this,
        [this, id, problem] {
          if (d->Current(id))
            Answer(problem);
        },
        Qt::QueuedConnection);
    return;
  }

  r.output.reset(d->create());
  r.output->Prepare(QFileInfo(r.fileName).absoluteFilePath(),
                    [this, id](SoundOutput::Event event, const QString& text) {
                      if (d->Current(id)) {
                        if (event == SoundOutput::Event::Failed)
                          Answer(OpenErrorText(d->request->fileName, text));
                        else if (event == SoundOutput::Event::Ready) {
                          d->request->prepared = true;
                          Prepared(id);
                        }
                      } else if (d->device && d->deviceRequest == id && event != SoundOutput::Event::Ready) {
                        // The end, or an error during playback: the sound counts as played through.
                        d->atEnd = true;
                      }
                    });

  r.count = new Count;
  connect(r.count, &Count::finished, this, [this, id] { Prepared(id); });
  r.count->setFuture(QtConcurrent::run(CountedMp3Length, r.fileName));

  r.timeout = new QTimer;
  r.timeout->setSingleShot(true);
  connect(r.timeout, &QTimer::timeout, this, [this, id] {
    if (d->Current(id))
      Answer(OpenErrorText(d->request->fileName, QStringLiteral("the sound system did not answer in time.")));
  });
  r.timeout->start(kOpenTimeoutMs);
}

// Opens the device once the sound system has prepared the file and its frames are counted.
void TMediaPlayer::Prepared(quint64 id) {
  if (!d->Current(id) || !d->request->prepared || !d->request->count->isFinished())
    return;
  Impl::Request& r = *d->request;
  const SoundOutput& out = *r.output;
  const std::optional<qint64> counted = r.count->result();
  const qint64 length = counted ? *counted : out.DurationMs();
  QString problem;
  if (!out.HasAudio())
    problem = QStringLiteral("it contains no sound.");
  else if (!out.MissingOutput().isEmpty())
    problem = QStringLiteral("no sound server can be reached (%1).").arg(out.MissingOutput());
  else if (length <= 0)
    problem = QStringLiteral("the sound system cannot tell its length.");
  if (!problem.isEmpty()) {
    Answer(OpenErrorText(r.fileName, problem));
    return;
  }
  d->device = std::move(r.output);
  d->deviceRequest = id;
  d->length = length;
  d->atEnd = false;
  Answer({});
}

void TMediaPlayer::Answer(const QString& error) {
  d->request.reset();
  emit Opened(error); // last: a receiver may open the next file
}

void TMediaPlayer::Play() {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  if (d->atEnd) {
    d->atEnd = false;
    d->device->Rewind();
  }
  d->device->Play();
}

void TMediaPlayer::Stop() {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  d->device->Pause();
}

void TMediaPlayer::Close() {
  d->request.reset();
  d->device.reset();
  d->atEnd = false;
  d->length = 0;
}

int TMediaPlayer::Position() const {
  if (!d->device)
    return 0;
  if (d->atEnd)
    return static_cast<int>(d->length);
  // Before the end has been reported the position stays below the length, so that "position ==
  // length" means the end has been reached and nothing else.
  return static_cast<int>(std::clamp<qint64>(d->device->PositionMs(), 0, d->length - 1));
}

int TMediaPlayer::Length() const {
  if (!d->device)
    throw EMCIDeviceError(kNoDevice);
  return static_cast<int>(d->length);
}

bool TMediaPlayer::IsOpen() const { return d->device != nullptr; }

bool TMediaPlayer::IsOpening() const { return d->request != nullptr; }

} // namespace zarvo

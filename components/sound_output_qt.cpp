// The sound module: SoundOutput over Qt Multimedia's player and audio output.
#include "components/sound_output.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace zarvo {
namespace {

class QtSoundOutput final : public SoundOutput {
public:
  QtSoundOutput() {
    player_.setAudioOutput(&output_);
    QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, &player_,
                     [this] { Tell(Event::StatusChanged, {}); });
    QObject::connect(&player_, &QMediaPlayer::durationChanged, &player_,
                     [this] { Tell(Event::DurationChanged, {}); });
    QObject::connect(&player_, &QMediaPlayer::errorOccurred, &player_,
                     [this](QMediaPlayer::Error, const QString& text) { Tell(Event::Error, text); });
  }

  void SetListener(std::function<void(Event, const QString&)> listener) override {
    listener_ = std::move(listener);
  }
  void SetSource(const QString& absolutePath) override {
    player_.setSource(QUrl::fromLocalFile(absolutePath));
  }

  Status MediaStatus() const override {
    switch (player_.mediaStatus()) {
    case QMediaPlayer::LoadingMedia: return Status::Loading;
    case QMediaPlayer::LoadedMedia: return Status::Loaded;
    case QMediaPlayer::InvalidMedia: return Status::Invalid;
    case QMediaPlayer::EndOfMedia: return Status::EndOfMedia;
    default: return Status::Other;
    }
  }

  bool HasAudio() const override { return player_.hasAudio(); }
  qint64 Duration() const override { return player_.duration(); }
  qint64 Position() const override { return player_.position(); }
  bool Playing() const override { return player_.playbackState() == QMediaPlayer::PlayingState; }
  void Play() override { player_.play(); }
  void Pause() override { player_.pause(); }
  void Stop() override { player_.stop(); }
  void SetPosition(qint64 ms) override { player_.setPosition(ms); }
  void SetMuted(bool muted) override { output_.setMuted(muted); }

private:
  void Tell(Event event, const QString& error) {
    if (listener_)
      listener_(event, error);
  }

  QAudioOutput output_; // declared first: the player goes before its output
  QMediaPlayer player_;
  std::function<void(Event, const QString&)> listener_;
};

} // namespace
} // namespace zarvo

extern "C" Q_DECL_EXPORT zarvo::SoundOutput* ZarvoCreateSoundOutput() { return new zarvo::QtSoundOutput; }

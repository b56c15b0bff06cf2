// The one device the sound player drives, behind a plain interface: Qt Multimedia and the sound
// libraries under it live in a module of their own, loaded at the first Open and not at start-up.
#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

namespace zarvo {

class SoundOutput {
public:
  enum class Status { Loading, Loaded, Invalid, EndOfMedia, Other };
  enum class Event { StatusChanged, DurationChanged, Error };

  virtual ~SoundOutput() = default;

  // Called on the GUI thread, from the event loop, for each change; `error` is set with Event::Error.
  virtual void SetListener(std::function<void(Event event, const QString& error)> listener) = 0;
  virtual void SetSource(const QString& absolutePath) = 0;
  virtual Status MediaStatus() const = 0;
  virtual bool HasAudio() const = 0;
  virtual qint64 Duration() const = 0; // ms; 0 while unknown
  virtual qint64 Position() const = 0; // ms
  virtual bool Playing() const = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  virtual void SetPosition(qint64 ms) = 0;
  virtual void SetMuted(bool muted) = 0;
};

// The module's one entry point: a new device, owned by the caller.
using CreateSoundOutputFunction = SoundOutput* (*)();
inline constexpr const char kCreateSoundOutputSymbol[] = "ZarvoCreateSoundOutput";
inline constexpr const char kSoundModuleName[] = "zarvo_sound.so";

} // namespace zarvo

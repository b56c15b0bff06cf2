// The one device the sound player drives, behind a plain interface: GStreamer and the sound
// libraries under it live in a module of their own, loaded at the first Open and not at start-up.
#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

namespace zarvo {

class SoundOutput {
public:
  enum class Event {
    Ready,  // the file is prepared: HasAudio, MissingOutput and DurationMs are known, Play may follow
    Failed, // the file cannot be prepared, or playback broke off; the text says why
    End,    // playback has reached the end of the sound
  };
  using Listener = std::function<void(Event event, const QString& text)>;

  // Returns at once: the sound system lets go of the file on a thread of its own, so a pipeline that
  // is slow to stop never holds up the caller. The listener is never called again.
  virtual ~SoundOutput() = default;

  // Starts preparing the file and returns at once. The listener hears the outcome, and later the
  // end of playback, from the event loop of the calling thread; never from inside a call.
  virtual void Prepare(const QString& absolutePath, Listener listener) = 0;

  virtual bool HasAudio() const = 0;
  // Why the sound cannot reach anyone's ears (no sound server, no sound card); empty when it can.
  virtual QString MissingOutput() const = 0;
  virtual qint64 DurationMs() const = 0; // 0 when the sound system cannot tell
  virtual qint64 PositionMs() const = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0; // stays where it is
  virtual void Rewind() = 0;
};

// The module's one entry point: a new device, owned by the caller.
using CreateSoundOutputFunction = SoundOutput* (*)();
inline constexpr const char kCreateSoundOutputSymbol[] = "ZarvoCreateSoundOutput";
inline constexpr const char kSoundModuleName[] = "zarvo_sound.so";

} // namespace zarvo

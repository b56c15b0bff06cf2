// TMediaPlayer: plays one sound file (.wav, .mp3) for the expiry's sound step, over GStreamer.
#pragma once

#include "framework/error_box.h"

#include <QObject>
#include <QString>
#include <memory>

namespace zarvo {

// Raised by Play, Stop and Length when no device is open.
class EMCIDeviceError : public Error {
public:
  using Error::Error;
};

class TMediaPlayer : public QObject {
  Q_OBJECT
public:
  explicit TMediaPlayer(QObject* parent = nullptr);
  ~TMediaPlayer() override; // closes the device

  QString FileName;

  // Starts opening FileName (closing any open device first) and returns at once, never blocking.
  // Opened follows from the event loop (never from inside Open itself): an empty text once the file
  // is ready to play, else the error text (the player then stays closed). A new Open or a Close
  // before the answer abandons the earlier request: its Opened never comes.
  void Open();
  // Starts playback (from the start when at the end) and returns at once; raises
  // EMCIDeviceError("No MCI device open") when no device is open.
  void Play();
  // Stops playback where it is; the device stays open. Raises as Play does.
  void Stop();
  // Closes the device, or abandons an Open under way; nothing happens when neither is.
  void Close();

  // Playback position and the sound's length, in milliseconds. Once playback has reached the end,
  // Position equals Length exactly. Position is 0 when no device is open; Length raises.
  int Position() const;
  int Length() const;

  bool IsOpen() const;
  // True between Open and its Opened.
  bool IsOpening() const;

signals:
  void Opened(const QString& error);

private:
  struct Impl;
  std::unique_ptr<Impl> d;
  void Answer(const QString& error);
  void Prepared(quint64 request);
};

} // namespace zarvo

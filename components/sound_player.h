// TMediaPlayer: plays one sound file (.wav, .mp3) for the expiry's sound step, over Qt Multimedia.
#pragma once

#include "framework/error_box.h"

#include <QObject>
#include <QString>
#include <memory>

namespace zarvo {

// Raised by Open when the file cannot be played, and by Play, Stop and Length when no device is open.
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

  // Starts opening FileName (closing any open device first) and returns at once. Opened follows
  // from the event loop: an empty text once the file is ready to play, else the error text (the
  // player then stays closed). A new Open or a Close before the answer abandons the earlier one.
  void Open();
  // True between Open and its Opened.
  bool IsOpening() const;
  // Starts playback from the start (rewinds when at the end); returns at once.
  void Play();
  // Stops playback where it is; the device stays open.
  void Stop();
  // Closes the device; nothing happens when none is open.
  void Close();

  // Playback position and the sound's length, in milliseconds. Once playback has reached the end,
  // Position equals Length exactly. Position is 0 when no device is open; Length raises.
  int Position() const;
  int Length() const;

  bool IsOpen() const;

signals:
  void Opened(const QString& error);

private:
  void OpenNow();

  struct Impl;
  std::unique_ptr<Impl> d;
};

} // namespace zarvo

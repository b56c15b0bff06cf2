// Small helpers shared by the tests.
#pragma once

#include <QString>
#include <QStringList>

namespace zarvo::test {

// The source tree and the build tree of this test run (set by CTest).
QString SourceDir();
QString BinaryDir();

// The /usr/bin/python3 that sees Debian's Python packages (python3-dbusmock).
QString SystemPython();

// Writes a mono 16-bit PCM WAV file of `ms` milliseconds of a quiet tone; returns false on failure.
bool WriteWav(const QString& path, int ms, int sampleRate = 22050);

// Encodes the WAV file `wavPath` as an MP3 file at `mp3Path` with GStreamer's command-line tool and
// its LAME encoder (at a variable bit rate, with no Xing header, unless `encoder` gives the
// elements and properties to use instead); returns false (with the tool's output in `error`) on
// failure.
bool WriteMp3(const QString& wavPath, const QString& mp3Path, QString* error = nullptr,
              const QStringList& encoder = {QStringLiteral("lamemp3enc")});

// While it lives, this thread obeys file permissions even when running as root: the capabilities
// that bypass them are dropped from the effective set (and given back at the end). Tests use it to
// meet a read-only folder or file as a user would. A no-op for other users.
class ObeyFilePermissions {
public:
  ObeyFilePermissions();
  ~ObeyFilePermissions();
  ObeyFilePermissions(const ObeyFilePermissions&) = delete;
  ObeyFilePermissions& operator=(const ObeyFilePermissions&) = delete;

private:
  bool dropped_ = false;
  unsigned effective_[2] = {0, 0};
};

} // namespace zarvo::test

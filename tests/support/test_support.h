// Small helpers shared by the tests.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zarvo::test {

// The source tree and the build tree of this test run (set by CTest).
QString SourceDir();
QString BinaryDir();

// Runs the event loop until `condition` holds or `timeoutMs` has passed; true if it holds. For
// helpers that cannot use the QTRY_* macros (those return from the test function). A condition that
// is costly to ask (one that starts a process) is asked at most every `pollMs`.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000, int pollMs = 0);

// The one deliberate wait for something that must NOT happen: runs the event loop for `ms` and
// returns true when `happened` stayed false all along (false at the first moment it holds).
bool ExpectNothingFor(int ms, const std::function<bool()>& happened);

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

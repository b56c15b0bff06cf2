// Small helpers shared by the tests.
#pragma once

#include <QString>

namespace zarvo::test {

// The source tree and the build tree of this test run (set by CTest).
QString SourceDir();
QString BinaryDir();

// The /usr/bin/python3 that sees Debian's Python packages (python3-dbusmock).
QString SystemPython();

// Writes a mono 16-bit PCM WAV file of `ms` milliseconds of a quiet tone; returns false on failure.
bool WriteWav(const QString& path, int ms, int sampleRate = 22050);

} // namespace zarvo::test

// Feeds any bytes to the MP3 frame counter: it must not crash or hang, and the length it reports
// (counted, or estimated when the bytes are only the beginning of a larger file) must fit in the
// bytes it stands for.
#include "components/sound_mp3.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<qint64> ms = zarvo::Mp3DurationMs(bytes);
  if (!ms)
    return 0;
  // The lowest bit rate of MPEG audio is 8 kbit/s, so each byte of sound lasts at most 1 ms; frame
  // sizes are rounded down to whole bytes, which can stretch that by a few percent, never more.
  if (*ms <= 0 || *ms * 20 > static_cast<qint64>(size) * 21) {
    std::fprintf(stderr, "fuzz_mp3: %lld ms from %zu bytes\n", static_cast<long long>(*ms), size);
    std::abort();
  }
  if (zarvo::Mp3DurationMs(bytes) != ms) {
    std::fprintf(stderr, "fuzz_mp3: a second count of the same bytes differs\n");
    std::abort();
  }
  // The same bytes as the beginning of a file ten times their size: an estimate that still fits.
  const qint64 whole = static_cast<qint64>(size) * 10;
  if (const std::optional<qint64> estimate = zarvo::Mp3DurationMs(bytes, whole);
      estimate && (*estimate <= 0 || *estimate * 20 > whole * 21)) {
    std::fprintf(stderr, "fuzz_mp3: %lld ms estimated for %lld bytes\n", static_cast<long long>(*estimate),
                 static_cast<long long>(whole));
    std::abort();
  }
  return 0;
}

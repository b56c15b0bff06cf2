#include "components/sound_mp3.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace zarvo {

namespace {

struct FrameHeader {
  int version = 0;    // 1: MPEG-1, 2: MPEG-2, 25: MPEG-2.5
  int layer = 0;      // 1, 2 or 3
  int sampleRate = 0; // Hz
  int samples = 0;    // per frame
  int bytes = 0;      // whole frame, header included
};

// Bit rates in kbit/s by bit-rate index; index 0 (free format) and 15 (invalid) are rejected.
constexpr std::array<std::array<int, 16>, 5> kBitRates{{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}, // MPEG-1 layer 1
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},    // MPEG-1 layer 2
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},     // MPEG-1 layer 3
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},    // MPEG-2/2.5 layer 1
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},         // MPEG-2/2.5 layers 2, 3
}};

std::optional<FrameHeader> ParseHeader(QByteArrayView data, qsizetype at) {
  if (at < 0 || at + 4 > data.size())
    return std::nullopt;
  const auto byte = [&](qsizetype i) { return static_cast<std::uint8_t>(data[at + i]); };
  const std::uint32_t h = (std::uint32_t(byte(0)) << 24) | (std::uint32_t(byte(1)) << 16) |
                          (std::uint32_t(byte(2)) << 8) | std::uint32_t(byte(3));
  if ((h & 0xFFE00000u) != 0xFFE00000u)
    return std::nullopt;
  const int versionBits = (h >> 19) & 3;
  const int layerBits = (h >> 17) & 3;
  const int rateIndex = (h >> 12) & 15;
  const int freqIndex = (h >> 10) & 3;
  const int padding = (h >> 9) & 1;
  if (versionBits == 1 || layerBits == 0 || rateIndex == 0 || rateIndex == 15 || freqIndex == 3)
    return std::nullopt;

  FrameHeader f;
  f.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
  f.layer = 4 - layerBits;
  constexpr std::array<int, 3> kRates{44100, 48000, 32000};
  f.sampleRate = kRates[freqIndex] / (f.version == 1 ? 1 : f.version == 2 ? 2 : 4);
  const int table = f.version == 1 ? f.layer - 1 : (f.layer == 1 ? 3 : 4);
  const int bitRate = kBitRates[table][rateIndex] * 1000;
  if (f.layer == 1) {
    f.samples = 384;
    f.bytes = (12 * bitRate / f.sampleRate + padding) * 4;
  } else {
    f.samples = (f.layer == 3 && f.version != 1) ? 576 : 1152;
    f.bytes = f.samples / 8 * bitRate / f.sampleRate + padding;
  }
  return f;
}

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

// A frame that carries an encoder's information tag (Xing, Info or VBRI) instead of sound.
bool IsInfoFrame(QByteArrayView data, qsizetype at, const FrameHeader& f) {
  const QByteArrayView head = data.sliced(at, std::min<qsizetype>({f.bytes, 48, data.size() - at}));
  return head.indexOf(QByteArrayView("Xing")) >= 0 || head.indexOf(QByteArrayView("Info")) >= 0 ||
         head.indexOf(QByteArrayView("VBRI")) == 36;
}

// A frame of the stream `first` starts at `at`, and another one (or the end of the data) follows it.
std::optional<FrameHeader> FrameAt(QByteArrayView data, qsizetype at, const FrameHeader* first) {
  const auto f = ParseHeader(data, at);
  if (!f || (first && !SameStream(*f, *first)))
    return std::nullopt;
  const qsizetype end = at + f->bytes;
  if (end == data.size())
    return f;
  const auto next = ParseHeader(data, end);
  if (!next || !SameStream(*f, *next))
    return std::nullopt;
  return f;
}

// The size of an ID3v2 tag at `at`, or 0.
qsizetype Id3v2Size(QByteArrayView data, qsizetype at) {
  if (at + 10 > data.size() || data.sliced(at, 3) != QByteArrayView("ID3"))
    return 0;
  qsizetype size = 0;
  for (int i = 6; i < 10; ++i) {
    const auto b = static_cast<std::uint8_t>(data[at + i]);
    if (b & 0x80)
      return 0;
    size = (size << 7) | b;
  }
  const bool footer = static_cast<std::uint8_t>(data[at + 5]) & 0x10;
  return 10 + size + (footer ? 10 : 0);
}

} // namespace

namespace {

// The frames of `data`: their samples, their stream's sample rate and where the first one starts.
struct FrameCount {
  qint64 samples = 0;
  int sampleRate = 0;
  qsizetype start = 0;
};

// The first frame of `data` and where it starts: a valid header followed by another of the same
// stream, so that stray bytes that happen to look like a header are not taken for one. ID3v2 tags
// in front are skipped, and so are a few kilobytes of padding between them and the first frame.
std::optional<std::pair<qsizetype, FrameHeader>> FirstFrame(QByteArrayView data) {
  if (data.startsWith(QByteArrayView("RIFF")))
    return std::nullopt; // a WAV file, whatever its samples look like
  qsizetype at = 0;
  while (const qsizetype tag = Id3v2Size(data, at))
    at += tag;
  const qsizetype searchEnd = std::min<qsizetype>(data.size(), at + 4096);
  for (; at < searchEnd; ++at)
    if (const std::optional<FrameHeader> first = FrameAt(data, at, nullptr))
      return std::pair(at, *first);
  return std::nullopt;
}

std::optional<FrameCount> CountFrames(QByteArrayView data) {
  const auto found = FirstFrame(data);
  if (!found)
    return std::nullopt;
  auto [at, header] = *found;
  const FrameHeader* first = &header;

  FrameCount count;
  count.start = at;
  count.sampleRate = first->sampleRate;
  count.samples = IsInfoFrame(data, at, *first) ? 0 : first->samples;
  at += first->bytes;
  while (at < data.size()) {
    const auto f = ParseHeader(data, at);
    if (f && SameStream(*f, *first) && at + f->bytes <= data.size()) {
      count.samples += f->samples;
      at += f->bytes;
      continue;
    }
    // Trailing tags (ID3v1, APE), damage or a cut-off last frame: go on at the next place where
    // frames of the same stream follow one another.
    ++at;
    while (at < data.size() && !FrameAt(data, at, first))
      ++at;
  }
  if (count.samples == 0)
    return std::nullopt;
  return count;
}

} // namespace

std::optional<qint64> Mp3DurationMs(QByteArrayView data) { return Mp3DurationMs(data, data.size()); }

bool Mp3HasInfoFrame(QByteArrayView prefix) {
  const auto found = FirstFrame(prefix);
  return found && IsInfoFrame(prefix, found->first, found->second);
}

std::optional<qint64> Mp3DurationMs(QByteArrayView prefix, qint64 fileSize) {
  if (fileSize < prefix.size())
    return std::nullopt; // not the beginning of that file
  const std::optional<FrameCount> count = CountFrames(prefix);
  if (!count)
    return std::nullopt;
  const qint64 ms = count->samples * 1000 / count->sampleRate;
  if (fileSize == prefix.size())
    return ms;
  // The frames lie between their start and the end of the prefix; the rest of the file is taken to
  // hold sound at the same rate (the frames cannot give more than the bytes hold, nor can this).
  const qint64 counted = prefix.size() - count->start;
  const long double scaled =
      static_cast<long double>(ms) * static_cast<long double>(fileSize - count->start) / counted;
  return static_cast<qint64>(scaled);
}

} // namespace zarvo

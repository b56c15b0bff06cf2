// The playing time of an MPEG audio file (.mp3), from its frame headers.
#pragma once

#include <QByteArrayView>
#include <optional>

namespace zarvo {

// Counts the MPEG audio frames of `data` (a whole file, an ID3v2 tag in front allowed) and returns
// their playing time in milliseconds; nothing when `data` is not MPEG audio or uses free-format
// bit rates. The sound system can tell the length of an MP3 without a length header only by
// estimating from the bit rate while it plays, and revises the estimate as it goes; this count is
// exact from the start.
std::optional<qint64> Mp3DurationMs(QByteArrayView data);

// Whether the first frame of `prefix` (the beginning of an MPEG audio file) carries an encoder's
// information tag (Xing, Info or VBRI): it holds the number of frames, so a player that reads it
// knows the exact length at once, without counting.
bool Mp3HasInfoFrame(QByteArrayView prefix);

// How much of a file the count reads at most: enough for the whole of any ordinary alarm sound (at
// 128 kbit/s more than eight minutes), little enough that a huge file costs neither time nor
// memory when it is opened.
inline constexpr qint64 kMp3CountedBytes = 8 * 1024 * 1024;

// The playing time of a file of `fileSize` bytes whose first bytes are `prefix`. Exact, as above,
// when the prefix is the whole file; otherwise estimated from the frames in the prefix, at the
// rate of playing time per byte that they give, over the whole file, as a player estimates a
// stream's length from its bit rate. Never more than the bytes of the file can hold.
std::optional<qint64> Mp3DurationMs(QByteArrayView prefix, qint64 fileSize);

} // namespace zarvo

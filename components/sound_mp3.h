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

} // namespace zarvo

#include "components/sound_player.h"

// Stand-in until the Qt Multimedia player lands: every Open fails with a clear text.
namespace zarvo {

struct TMediaPlayer::Impl {};

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}
TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::Open() { throw EMCIDeviceError(QStringLiteral("Sound playback is not available.")); }
void TMediaPlayer::Play() { throw EMCIDeviceError(QStringLiteral("No MCI device open")); }
void TMediaPlayer::Stop() { throw EMCIDeviceError(QStringLiteral("No MCI device open")); }
void TMediaPlayer::Close() {}
int TMediaPlayer::Position() const { return 0; }
int TMediaPlayer::Length() const { throw EMCIDeviceError(QStringLiteral("No MCI device open")); }
bool TMediaPlayer::IsOpen() const { return false; }

} // namespace zarvo

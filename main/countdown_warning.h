// When a running countdown warns that its power action is near: 60 and 10 seconds before expiry.
#pragma once

#include "options/action_selection.h"

#include <QString>
#include <array>

namespace zarvo {

// The warnings, in seconds left, from the earliest to the last.
inline constexpr std::array<int, 2> kWarningSeconds{60, 10};

// Decides at each tick whether a warning is due. A warning is due at the first reading that shows
// its number of seconds or less, once for each time the countdown had more than that left: a
// countdown that starts with less does not give it, and a postponed one that climbs back above it
// gives it again. When a reading jumps past several at once, only the last (most urgent) is given.
class WarningSchedule {
public:
  // A countdown starts with `remainingMs` to go.
  void Start(int remainingMs);
  // The warning due at this reading of the remaining time, in seconds, or 0 for none.
  int Due(int remainingMs);

private:
  std::array<bool, kWarningSeconds.size()> armed_{};
};

// "The computer will shut down in 60 seconds", in the words of each power action.
QString WarningText(PowerAction action, int seconds);

} // namespace zarvo

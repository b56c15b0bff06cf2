// Which power request an action word or the selected power flag stands for.
#pragma once

#include "options/action_selection.h"

#include <QString>
#include <optional>

namespace zarvo {

struct PowerRequest {
  enum class Kind { Exit, PowerState } kind = Kind::Exit;
  unsigned exitFlags = 0; // Exit: 9 shut down, 2 restart, 0 log off, plus 4 when forced
  bool suspend = false;   // PowerState: true stand-by, false hibernate
  bool force = false;     // PowerState: forced
  bool operator==(const PowerRequest&) const = default;
};

// The action that a word names ("shutdown", "restart", "logoff", "standby", "hibernate"), compared
// exactly and case-sensitively; any other word names none.
std::optional<PowerAction> ActionForWord(const QString& word);
// The first power flag that is set, in the order shut down .. hibernate.
std::optional<PowerAction> SelectedPowerAction(const ActionSelection& selection);

PowerRequest RequestFor(PowerAction action, bool force);

// The word that names `action`.
QString ActionWord(PowerAction action);

} // namespace zarvo

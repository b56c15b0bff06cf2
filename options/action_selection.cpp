#include "options/action_selection.h"

#include <QList>

namespace zarvo {

bool& ActionSelection::Power(PowerAction a) {
  switch (a) {
  case PowerAction::ShutDown: return ShutDownSelected;
  case PowerAction::Restart: return RestartSelected;
  case PowerAction::LogOff: return LogOffSelected;
  case PowerAction::StandBy: return StandBySelected;
  case PowerAction::Hibernate: break;
  }
  return HibernateSelected;
}

bool ActionSelection::Power(PowerAction a) const { return const_cast<ActionSelection*>(this)->Power(a); }

bool ActionSelection::AnyPowerSelected() const {
  for (PowerAction a : kPowerActions)
    if (Power(a))
      return true;
  return false;
}

bool ActionSelection::AnySelected() const {
  return AnyPowerSelected() || PlaySoundSelected || RunApplicationSelected || ShowMessageSelected;
}

void ActionSelection::ClearPower() {
  for (PowerAction a : kPowerActions)
    Power(a) = false;
}

QList<PowerAction> TogglePowerAction(ActionSelection& selection, PowerAction action) {
  QList<PowerAction> cleared;
  bool& flag = selection.Power(action);
  flag = !flag;
  if (!flag)
    return cleared;
  for (PowerAction other : kPowerActions) {
    if (other != action && selection.Power(other)) {
      selection.Power(other) = false;
      cleared.append(other);
    }
  }
  return cleared;
}

} // namespace zarvo

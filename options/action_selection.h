// ActionSelection: what happens at expiry, and the rules that keep its power group exclusive.
#pragma once

#include <QString>
#include <array>

namespace zarvo {

enum class PowerAction { ShutDown, Restart, LogOff, StandBy, Hibernate };
inline constexpr std::array<PowerAction, 5> kPowerActions{PowerAction::ShutDown, PowerAction::Restart,
                                                          PowerAction::LogOff, PowerAction::StandBy,
                                                          PowerAction::Hibernate};

struct ActionSelection {
  bool ShutDownSelected = false;
  bool RestartSelected = false;
  bool LogOffSelected = false;
  bool StandBySelected = false;
  bool HibernateSelected = false;
  bool PlaySoundSelected = false;
  bool RunApplicationSelected = false;
  bool ShowMessageSelected = false;
  QString SoundFileName;
  QString ApplicationCommand;
  QString MessageText;

  bool& Power(PowerAction a);
  bool Power(PowerAction a) const;
  bool AnyPowerSelected() const;
  // Whether anything at all is selected: Start refuses to run or stop without it.
  bool AnySelected() const;
  void ClearPower();
};

// Selecting one power action clears the others; selecting the selected one clears it, so the group
// is a radio group that also allows none. Returns the actions whose flag was cleared, in order.
QList<PowerAction> TogglePowerAction(ActionSelection& selection, PowerAction action);

} // namespace zarvo

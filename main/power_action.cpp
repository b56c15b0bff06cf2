#include "main/power_action.h"

#include "platform/platform.h"

namespace zarvo {

std::optional<PowerAction> ActionForWord(const QString& word) {
  static constexpr std::pair<const char*, PowerAction> kWords[] = {{"shutdown", PowerAction::ShutDown},
                                                                   {"restart", PowerAction::Restart},
                                                                   {"logoff", PowerAction::LogOff},
                                                                   {"standby", PowerAction::StandBy},
                                                                   {"hibernate", PowerAction::Hibernate}};
  for (const auto& [text, action] : kWords)
    if (word == QLatin1String(text))
      return action;
  return std::nullopt;
}

QString ActionWord(PowerAction action) {
  switch (action) {
  case PowerAction::ShutDown: return QStringLiteral("shutdown");
  case PowerAction::Restart: return QStringLiteral("restart");
  case PowerAction::LogOff: return QStringLiteral("logoff");
  case PowerAction::StandBy: return QStringLiteral("standby");
  case PowerAction::Hibernate: break;
  }
  return QStringLiteral("hibernate");
}

std::optional<PowerAction> SelectedPowerAction(const ActionSelection& selection) {
  for (PowerAction a : kPowerActions)
    if (selection.Power(a))
      return a;
  return std::nullopt;
}

PowerRequest RequestFor(PowerAction action, bool force) {
  const unsigned forced = force ? ExitFlags::Force : 0;
  switch (action) {
  case PowerAction::ShutDown:
    return {PowerRequest::Kind::Exit, ExitFlags::ShutDown | ExitFlags::PowerOff | forced, false, false};
  case PowerAction::Restart: return {PowerRequest::Kind::Exit, ExitFlags::Reboot | forced, false, false};
  case PowerAction::LogOff: return {PowerRequest::Kind::Exit, ExitFlags::LogOff | forced, false, false};
  case PowerAction::StandBy: return {PowerRequest::Kind::PowerState, 0, true, force};
  case PowerAction::Hibernate: break;
  }
  return {PowerRequest::Kind::PowerState, 0, false, force};
}

} // namespace zarvo

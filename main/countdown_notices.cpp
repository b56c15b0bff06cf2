#include "main/countdown_notices.h"

#include "assets/skin.h"
#include "framework/image_list.h"
#include "main/power_action.h"
#include "options/action_selection.h"
#include "platform/platform.h"

namespace zarvo {

namespace {

const QString kPostpone = QStringLiteral("postpone");
const QString kStop = QStringLiteral("stop");

} // namespace

CountdownNotices::CountdownNotices(Platform& platform, std::function<void()> postpone,
                                   std::function<void()> stop)
    : platform_(platform), postpone_(std::move(postpone)), stop_(std::move(stop)) {
  connect(&platform_, &Platform::NotificationAction, this, &CountdownNotices::OnAction);
}

CountdownNotices::~CountdownNotices() {
  if (running_)
    Stopped();
}

void CountdownNotices::Started(int remainingMs) {
  running_ = true;
  schedule_.Start(remainingMs);
  platform_.InhibitIdle(QStringLiteral("A countdown is running"));
}

void CountdownNotices::Ticked(int remainingMs, const ActionSelection& selection) {
  if (!running_)
    return;
  const int seconds = schedule_.Due(remainingMs);
  // The warning is about the power action; a countdown that only plays a sound, runs a program or
  // shows a message has nothing to warn of.
  const std::optional<PowerAction> action = SelectedPowerAction(selection);
  if (seconds == 0 || !action)
    return;
  DesktopNotification n;
  n.summary = QStringLiteral("Zarvo");
  n.body = WarningText(*action, seconds);
  // Read at the first warning, with the PNG decoder alone: not every countdown warns.
  if (icon_.isNull())
    icon_ = ReadImage(skin::Path(skin::kIcon48));
  n.icon = icon_;
  n.critical = seconds == kWarningSeconds.back();
  // Up until it is answered, the countdown ends, or the next warning takes its place.
  n.persistent = true;
  n.actions = {{kPostpone, QStringLiteral("Postpone 10 minutes")}, {kStop, QStringLiteral("Stop")}};
  platform_.ShowNotification(n);
  notificationUp_ = true;
}

void CountdownNotices::Stopped() {
  if (!running_)
    return;
  running_ = false;
  Withdraw();
  platform_.UninhibitIdle();
}

void CountdownNotices::Withdraw() {
  if (!notificationUp_)
    return;
  notificationUp_ = false;
  platform_.WithdrawNotification();
}

void CountdownNotices::OnAction(const QString& key) {
  // A button of a warning that is no longer current (the countdown has stopped meanwhile) does nothing.
  if (!running_ || !notificationUp_)
    return;
  if (key == kPostpone) {
    // The warning said the action was near; after the postponement it no longer is.
    Withdraw();
    postpone_();
  } else if (key == kStop) {
    stop_();
  }
}

} // namespace zarvo

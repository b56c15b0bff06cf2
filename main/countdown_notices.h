// What a running countdown tells the desktop: a warning with Postpone and Stop before its power
// action, and the idle inhibitor that keeps a long countdown from being cut short by an idle suspend.
#pragma once

#include "main/countdown_warning.h"

#include <QImage>
#include <QObject>
#include <functional>

namespace zarvo {

class Platform;
struct ActionSelection;

class CountdownNotices final : public QObject {
  Q_OBJECT
public:
  // `postpone` adds ten minutes to the countdown and `stop` stops it, as the notification's buttons ask.
  CountdownNotices(Platform& platform, std::function<void()> postpone, std::function<void()> stop);
  // A countdown still running when the program ends leaves no warning and no inhibitor behind.
  ~CountdownNotices() override;

  // A countdown started with `remainingMs` to go.
  void Started(int remainingMs);
  // A tick of the running countdown read `remainingMs` (and did not expire).
  void Ticked(int remainingMs, const ActionSelection& selection);
  // The countdown stopped or expired.
  void Stopped();

private:
  void OnAction(const QString& key);
  void Withdraw();

  Platform& platform_;
  std::function<void()> postpone_;
  std::function<void()> stop_;
  WarningSchedule schedule_;
  QImage icon_;
  bool running_ = false;
  bool notificationUp_ = false;
};

} // namespace zarvo

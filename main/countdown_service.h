// The countdown as the other programs of the session drive it through the remote control: started
// as the command line starts one, stopped through the countdown session, postponed as the warning's
// button postpones it, and read back.
#pragma once

#include "platform/remote_control.h"

namespace zarvo {

class WindowSet;

class CountdownService final : public RemoteControl {
  Q_OBJECT
public:
  // Made before the windows, so that it can be offered on the bus before they are; Attach() once
  // they exist (calls are answered from the event loop, which runs only after that).
  explicit CountdownService(WindowSet& windows);
  void Attach();

  RemoteRefusal Start(const QString& mode, const QString& time, const QMap<QString, QString>& actions,
                      bool replace) override;
  RemoteRefusal Stop() override;
  RemoteRefusal Postpone(qint64 seconds) override;
  CountdownStatus Status() const override;
  void Activate() override;

private:
  bool Ready() const;

  WindowSet& windows_;
};

// One line for a person: "Shut down and show a message at 21:40:00 (00:09:59 left)", or "No
// countdown runs".
QString DescribeCountdown(const CountdownStatus& status);

} // namespace zarvo

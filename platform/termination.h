// The system asking the program to end (a session manager or systemd stopping the user's session,
// `kill`, a closed terminal): heard on the GUI thread, from the event loop, so that the program can
// end as a close does, saving its settings.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace zarvo {

// Calls `requested` from the event loop each time the system asks the program to end, for as long
// as the returned object lives. Defined once per back end; made once, by the program entry.
std::unique_ptr<QObject> WatchTerminationRequests(std::function<void()> requested);

} // namespace zarvo

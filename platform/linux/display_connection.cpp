// The X connection's choice of how window pictures reach the server, made before it is opened.
#include "platform/platform.h"

#include <QtGlobal>

#include <utility>

namespace zarvo {

namespace {
constexpr char kNoSharedMemory[] = "QT_XCB_NO_MITSHM";
}

// A choice the user made in the environment is theirs, and stays.
DisplayConnectionSetup::DisplayConnectionSetup() : set_(!qEnvironmentVariableIsSet(kNoSharedMemory)) {
  if (set_)
    qputenv(kNoSharedMemory, "1");
}

void DisplayConnectionSetup::Done() {
  if (std::exchange(set_, false))
    qunsetenv(kNoSharedMemory);
}

} // namespace zarvo

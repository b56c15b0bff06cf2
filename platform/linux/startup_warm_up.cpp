// The font configuration is read once per process: its XML files parsed and the font caches mapped,
// a few milliseconds that the first text measured or drawn would otherwise wait for. Reading it
// here, on a second core, overlaps it with the connection to the display. fontconfig makes its
// configuration once, atomically: should the toolkit ask for it before this has finished, it
// waits for it or makes it itself, and either way gets one configuration.
#include "platform/platform.h"

#include <fontconfig/fontconfig.h>

namespace zarvo {

StartupWarmUp::StartupWarmUp(std::function<void()> then)
    : thread_([then = std::move(then)] {
        FcInit();
        if (then)
          then();
      }) {}

StartupWarmUp::~StartupWarmUp() {
  if (thread_.joinable())
    thread_.join();
}

} // namespace zarvo

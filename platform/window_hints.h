// What a window asks of the desktop beyond what the toolkit can say: to stay off the taskbar.
#pragma once

class QWindow;

namespace zarvo {

// Asks the desktop to list `window` neither on its taskbar nor in its pager. Call it while the
// native window exists and is not yet mapped (from the widget's Show event): the window manager
// reads the request when it takes the window on. Does nothing where the window system has no such
// notion (or no window system runs, as in the tests' offscreen platform).
void KeepOffTaskbar(QWindow* window);

} // namespace zarvo

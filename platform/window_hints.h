// What a window asks of the desktop beyond what the toolkit can say: to stay off the taskbar.
#pragma once

class QWindow;

namespace zarvo {

// Asks the desktop to list `window` neither on its taskbar nor in its pager. Call it while the
// native window exists and is not yet mapped (from the widget's Show event): the window manager
// reads the request when it takes the window on. Does nothing where the window system has no such
// notion (or no window system runs, as in the tests' offscreen platform).
void KeepOffTaskbar(QWindow* window);

// Tells the window manager, also while both are on the screen, that `window` is a dialog of
// `leader`: kept above it, minimised and restored with it. The toolkit says so itself only when it
// maps `window`, which is too early where the leader is mapped after it.
void KeepWith(QWindow* window, QWindow* leader);

} // namespace zarvo

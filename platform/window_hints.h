// What a window asks of the desktop beyond what the toolkit can say: to stay off the taskbar, to
// stay with its leader, to come back not minimised.
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

// Makes `window` come on screen as a normal window the next time it is mapped. The toolkit marks a
// window "start minimised" when it minimises it and keeps that mark when the window manager restores
// it, so a window minimised once, restored from the taskbar, then hidden and shown again would be
// mapped minimised and flash through a minimise. Call it from the widget's Show event of a window
// that is not to be shown minimised.
void StartNotMinimised(QWindow* window);

} // namespace zarvo

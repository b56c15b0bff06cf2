// Starts a program and reports when its first window is painted and how much memory it then holds.
//
//   probe <settle-ms> <title> <program> [arguments...]
//
// prints "paint_ms N" (from just before exec to the first moment the top-level window of that title
// shows painted pixels: a program that maps other windows first is timed by the one that counts) and, after
// the program has had settle-ms more to finish starting, "rss_kb N" (its resident memory); then ends the
// program. The X server must have a black root window (Xvfb -br), so that a mapped but unpainted window reads
// as black.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

long RssKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0)
      return std::atol(line.c_str() + 6);
  return -1;
}

// Whether at least a quarter of the window's pixels are no longer black: a window the program has
// painted, not one the server has only mapped.
bool Painted(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
    return false;
  XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image)
    return false;
  long lit = 0;
  for (int y = 0; y < attributes.height; ++y)
    for (int x = 0; x < attributes.width; ++x)
      if ((XGetPixel(image, x, y) & 0xFFFFFF) != 0)
        ++lit;
  XDestroyImage(image);
  return lit * 4 >= long(attributes.width) * attributes.height;
}

std::string Title(Display* display, Window window) {
  char* name = nullptr;
  if (!XFetchName(display, window, &name) || !name)
    return {};
  std::string title = name;
  XFree(name);
  return title;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; } // a window may vanish while we look at it

} // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: probe <settle-ms> <title> <program> [arguments...]\n");
    return 2;
  }
  const int settleMs = std::atoi(argv[1]);
  const std::string title = argv[2];
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "probe: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const double start = NowMs();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[3], argv + 3);
    std::fprintf(stderr, "probe: cannot run %s: %s\n", argv[3], std::strerror(errno));
    _exit(127);
  }

  Window window = 0;
  double paintMs = -1;
  const double deadline = start + 60000;
  while (paintMs < 0 && NowMs() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      std::fprintf(stderr, "probe: %s ended before showing its window\n", argv[3]);
      return 1;
    }
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !window && !event.xmap.override_redirect &&
          Title(display, event.xmap.window) == title)
        window = event.xmap.window;
    }
    if (window && Painted(display, window))
      paintMs = NowMs() - start;
    else
      usleep(window ? 500 : 1000);
  }
  if (paintMs < 0) {
    std::fprintf(stderr, "probe: no painted window within 60 s\n");
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 1;
  }
  std::printf("paint_ms %.1f\n", paintMs);
  std::fflush(stdout);

  usleep(settleMs * 1000);
  std::printf("rss_kb %ld\n", RssKb(pid));
  std::fflush(stdout);
  kill(pid, SIGTERM);
  for (int i = 0; i < 500 && waitpid(pid, nullptr, WNOHANG) != pid; ++i)
    usleep(10000);
  if (waitpid(pid, nullptr, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  XCloseDisplay(display);
  return 0;
}

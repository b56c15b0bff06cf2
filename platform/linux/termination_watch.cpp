// SIGTERM and SIGHUP reach the event loop through a socket pair: the handler only writes one byte
// (all a signal handler may safely do), and a socket notifier on the other end calls back from the
// event loop, where closing the windows and saving are allowed.
#include "platform/termination.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zarvo {

namespace {

// The writing end, read by the handler; -1 while no watch exists.
volatile sig_atomic_t gWriteEnd = -1;

constexpr std::array<int, 2> kSignals{SIGTERM, SIGHUP};

extern "C" void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  if (gWriteEnd >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(gWriteEnd, &byte, 1);
  }
  errno = savedErrno;
}

class TerminationWatch final : public QObject {
public:
  explicit TerminationWatch(std::function<void()> requested) : requested_(std::move(requested)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_.data()) != 0) {
      fds_ = {-1, -1};
      return;
    }
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
      char buffer[64];
      while (::read(fds_[1], buffer, sizeof buffer) > 0) {
      }
      if (requested_)
        requested_();
    });
    gWriteEnd = fds_[0];
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
      ::sigaction(kSignals[i], &action, &previous_[i]);
  }

  ~TerminationWatch() override {
    if (fds_[0] < 0)
      return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
      ::sigaction(kSignals[i], &previous_[i], nullptr);
    gWriteEnd = -1;
    delete notifier_;
    ::close(fds_[0]);
    ::close(fds_[1]);
  }

private:
  std::function<void()> requested_;
  std::array<int, 2> fds_{-1, -1};
  QSocketNotifier* notifier_ = nullptr;
  std::array<struct sigaction, kSignals.size()> previous_{};
};

} // namespace

std::unique_ptr<QObject> WatchTerminationRequests(std::function<void()> requested) {
  return std::make_unique<TerminationWatch>(std::move(requested));
}

} // namespace zarvo

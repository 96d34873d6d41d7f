#include "link/WakeEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "link/PollDeadline.h"

WakeEvent::WakeEvent() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeEvent::~WakeEvent() {
  if (fd_ >= 0) close(fd_);
}

void WakeEvent::Signal() {
  const uint64_t one = 1;
  [[maybe_unused]] const auto written = write(fd_, &one, sizeof one);  // only fails when already saturated
}

void WakeEvent::Clear() {
  uint64_t count = 0;
  [[maybe_unused]] const auto got = read(fd_, &count, sizeof count);  // EAGAIN when not signalled
}

bool WakeEvent::WaitFor(std::chrono::milliseconds timeout) const {
  const PollDeadline deadline(timeout);
  pollfd event{fd_, POLLIN, 0};
  for (;;) {
    const int ready = poll(&event, 1, deadline.RemainingMs());
    if (ready > 0) return true;
    if (ready == 0) return false;
    if (errno != EINTR) return false;
  }
}

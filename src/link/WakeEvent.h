#pragma once
// An event a thread can wait on with a time-out, also usable inside poll() beside a port: the
// reader's sleeps and reads end at once when the link is told to stop.

#include <chrono>

class WakeEvent {
 public:
  WakeEvent();
  ~WakeEvent();
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;

  void Signal();
  void Clear();
  // Sleeps up to `timeout`; true when the event was (or becomes) signalled.
  bool WaitFor(std::chrono::milliseconds timeout) const;
  int fd() const { return fd_; }

 private:
  int fd_;
};

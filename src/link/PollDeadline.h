#pragma once
// A deadline for poll(): the milliseconds left, rounded up so a wait never ends early, and
// recomputed after each EINTR so interrupted waits do not stretch.

#include <chrono>

class PollDeadline {
 public:
  using Clock = std::chrono::steady_clock;

  explicit PollDeadline(std::chrono::milliseconds timeout) : end_(Clock::now() + timeout) {}
  explicit PollDeadline(Clock::time_point end) : end_(end) {}

  int RemainingMs() const {
    const auto left = end_ - Clock::now();
    if (left <= Clock::duration::zero()) return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
  }
  Clock::time_point end() const { return end_; }

 private:
  Clock::time_point end_;
};

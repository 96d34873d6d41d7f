#include "link/ReceiveRing.h"

#include <algorithm>

bool ReceiveRing::Push(const uint8_t* packet) {
  const uint32_t at = write_.load(std::memory_order_relaxed);
  const uint32_t next = Next(at);
  if (next == read_.load(std::memory_order_acquire)) {
    dropped_.fetch_add(1, std::memory_order_relaxed);
    return false;
  }
  std::copy_n(packet, kPacketSize, slots_[at].begin());
  write_.store(next, std::memory_order_release);
  return true;
}

bool ReceiveRing::Take(uint8_t* destination) {
  const uint32_t at = read_.load(std::memory_order_relaxed);
  if (at == write_.load(std::memory_order_acquire)) return false;
  std::copy_n(slots_[at].begin(), kPacketSize, destination);
  read_.store(Next(at), std::memory_order_release);
  return true;
}

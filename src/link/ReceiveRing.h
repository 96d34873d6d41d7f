#pragma once
// The packets the reader thread has framed, waiting for the transfer layer: a ring of 2000 slots
// with one producer (the reader) and one consumer (the user-interface thread) and no lock.
//
// The producer fills a slot completely before it publishes the new write index (release); the
// consumer reads the write index (acquire) before the slot, and publishes its read index the same
// way so the producer never refills a slot that is being read. Equal indices mean empty, so at most
// 1999 packets wait; a packet that finds the ring full is dropped and counted, the waiting ones stay.

#include <array>
#include <atomic>
#include <cstdint>

#include "image/DevicePacket.h"

inline constexpr uint32_t kReceiveRingSlots = 2000;

class ReceiveRing {
 public:
  // Producer side. False when the ring is full and the packet was dropped.
  bool Push(const uint8_t* packet);
  // Consumer side. False when the ring is empty; `destination` is then left untouched.
  bool Take(uint8_t* destination);

  uint32_t droppedPackets() const { return dropped_.load(std::memory_order_relaxed); }

 private:
  static uint32_t Next(uint32_t index) { return index + 1 == kReceiveRingSlots ? 0 : index + 1; }

  std::array<DevicePacket, kReceiveRingSlots> slots_{};
  std::atomic<uint32_t> write_{0};  // written by the producer only
  std::atomic<uint32_t> read_{0};   // written by the consumer only
  std::atomic<uint32_t> dropped_{0};
};

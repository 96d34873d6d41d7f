#pragma once
// Cuts a byte stream into 188-byte packets as the device does: bytes before a 0x47 or 0xB8 are
// dropped, and a packet is the sync byte with the 187 bytes that follow it. The callback returns
// false to stop taking bytes (the line has gone); Feed then returns false too.

#include <cstdint>
#include <span>

#include "image/DevicePacket.h"

class PacketFramer {
 public:
  template <class OnPacket>
  bool Feed(std::span<const uint8_t> bytes, OnPacket&& onPacket) {
    for (const uint8_t byte : bytes) {
      if (have_ == 0 && byte != kTsSync && byte != kControlSync) continue;
      pending_[have_++] = byte;
      if (have_ == kPacketSize) {
        have_ = 0;
        if (!onPacket(pending_)) return false;
      }
    }
    return true;
  }

 private:
  DevicePacket pending_{};
  std::size_t have_ = 0;
};

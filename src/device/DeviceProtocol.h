#pragma once
// What the device does with the packets it receives, without any I/O: stop, load and play-back
// commands, the stored image, and the play-back stream with the chosen fault.

#include <cstdint>
#include <optional>
#include <vector>

#include "device/EmulatorFault.h"
#include "image/DevicePacket.h"

struct ProtocolEvent {
  bool loadCompleted = false;  // storedImage() now holds a new image
  bool dropLine = false;       // the fault mode hangs up here
};

class DeviceProtocol {
 public:
  // `image`: what the device holds at power-on (whole packets are kept).
  DeviceProtocol(EmulatorFault fault, const std::vector<uint8_t>& image);

  ProtocolEvent OnPacket(const DevicePacket& packet);

  // True while a play-back runs and there is something to play.
  bool playing() const;
  // The bytes of the next play-back step: a packet, with line noise or a second header where the
  // fault puts them. Only while playing().
  std::vector<uint8_t> NextChunk();

  std::vector<uint8_t> storedImage() const;

 private:
  ProtocolEvent EndLoad();

  EmulatorFault fault_;
  std::vector<DevicePacket> image_;
  std::optional<std::vector<DevicePacket>> loading_;  // set between a load packet and its end
  std::size_t expectedPackets_ = 0;                   // 0: until the next command
  bool playing_ = false;
  std::size_t next_ = 0;   // packet of the cycle to play next
  std::size_t cycle_ = 0;  // cycles played since the last load
};

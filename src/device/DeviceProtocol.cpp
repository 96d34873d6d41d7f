#include "device/DeviceProtocol.h"

#include <algorithm>
#include <span>

namespace {

constexpr std::size_t kHeaderSizeAt = 7;  // 16-bit little-endian, the whole image in bytes

// Line noise without a sync byte, so the receiver drops it and re-synchronises on the header.
constexpr uint8_t kLineNoise[] = {0x00, 0x55, 0xAA, 0xFF, 0x13};
constexpr uint8_t kCorruptionMask = 0xFF;

std::size_t AnnouncedPackets(const DevicePacket& header) {
  const std::size_t bytes = header[kHeaderSizeAt] | (header[kHeaderSizeAt + 1] << 8);
  return std::max<std::size_t>(1, (bytes + kPacketSize - 1) / kPacketSize);
}

void Append(std::vector<uint8_t>& bytes, std::span<const uint8_t> more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
}

}  // namespace

DeviceProtocol::DeviceProtocol(EmulatorFault fault, const std::vector<uint8_t>& image) : fault_(fault) {
  for (std::size_t at = 0; at + kPacketSize <= image.size(); at += kPacketSize) {
    DevicePacket& packet = image_.emplace_back();
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), kPacketSize, packet.begin());
  }
}

ProtocolEvent DeviceProtocol::OnPacket(const DevicePacket& packet) {
  const bool command = IsControlPacket(packet.data(), ControlType::Command);
  const bool load = IsControlPacket(packet.data(), ControlType::Load);
  if (command || load) {
    // A command ends a load in progress: an image without a header ends this way, and an
    // interrupted one keeps what arrived, as a device that has already overwritten its memory.
    const ProtocolEvent ended = loading_ ? EndLoad() : ProtocolEvent{};
    if (load) {
      playing_ = false;
      loading_.emplace();
      expectedPackets_ = 0;
    } else if (IsCommandPacket(packet, CommandAction::Stop)) {
      playing_ = false;
    } else if (IsCommandPacket(packet, CommandAction::PlayBack) && !playing_) {
      playing_ = true;
      next_ = 0;
    }
    return ended;
  }
  if (!loading_) return {};  // stray data outside a load

  if (loading_->empty() && IsControlPacket(packet.data(), ControlType::Header)) {
    expectedPackets_ = AnnouncedPackets(packet);
  }
  loading_->push_back(packet);
  if (fault_ == EmulatorFault::LinkLostMidLoad && loading_->size() == std::max<std::size_t>(1, expectedPackets_ / 2)) {
    return {false, true};
  }
  if (loading_->size() == expectedPackets_) return EndLoad();
  return {};
}

ProtocolEvent DeviceProtocol::EndLoad() {
  image_ = std::move(*loading_);
  loading_.reset();
  cycle_ = 0;
  return {true, fault_ == EmulatorFault::HangUpAfterLoad};
}

bool DeviceProtocol::playing() const {
  return playing_ && !image_.empty() && fault_ != EmulatorFault::Silent;
}

std::vector<uint8_t> DeviceProtocol::NextChunk() {
  std::vector<uint8_t> chunk;
  if (image_.empty()) return chunk;
  chunk.reserve(sizeof kLineNoise + 2 * kPacketSize);  // the longest chunk: noise and a doubled header
  const bool cycleStart = next_ == 0;
  if (cycleStart && fault_ == EmulatorFault::NoiseBeforeCycle) Append(chunk, kLineNoise);
  DevicePacket packet = image_[next_];
  if (fault_ == EmulatorFault::CorruptPlayback && next_ == cycle_ % image_.size()) {
    packet.back() ^= kCorruptionMask;
  }
  Append(chunk, packet);
  if (cycleStart && fault_ == EmulatorFault::DoubledHeader) Append(chunk, packet);
  if (++next_ == image_.size()) {
    next_ = 0;
    ++cycle_;
  }
  return chunk;
}

std::vector<uint8_t> DeviceProtocol::storedImage() const {
  std::vector<uint8_t> bytes;
  bytes.reserve(image_.size() * kPacketSize);
  for (const DevicePacket& packet : image_) Append(bytes, packet);
  return bytes;
}

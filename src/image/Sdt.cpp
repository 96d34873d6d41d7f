#include "image/Sdt.h"

#include <algorithm>

#include "image/ImageLayout.h"
#include "image/PsiSection.h"

namespace {

constexpr uint8_t kServiceDescriptor = 0x48;
constexpr uint8_t kDigitalTelevisionService = 0x01;
constexpr uint8_t kServiceDescriptorLength = 3 + 2 * kNameBytes;
constexpr uint8_t kServiceLoopLength = 2 + kServiceDescriptorLength;

void WriteService(ByteWriter& w, const ServiceEntry& service) {
  w.U16(service.ServiceId);
  w.U8(static_cast<uint8_t>(0xF0 | ((service.EitSchedule & 1) << 1) | (service.EitPresentFollowing & 1)));
  w.U8(0x00);  // running_status, free_CA_mode and the high bits of the loop length
  w.U8(kServiceLoopLength);
  w.U8(kServiceDescriptor);
  w.U8(kServiceDescriptorLength);
  w.U8(kDigitalTelevisionService);
  // Both names go out as their whole 10-byte fields, zero padding included.
  w.U8(kNameBytes);
  w.Text(service.ProviderName, kNameBytes);
  w.U8(kNameBytes);
  w.Text(service.ServiceName, kNameBytes);
}

}  // namespace

std::vector<uint8_t> BuildSdtBuffer(const MuxConfig& cfg) {
  const int n = ProgramsInImage(cfg);
  std::vector<uint8_t> buffer(kPacketSize * static_cast<std::size_t>(1 + SdtContinuationPackets(n)), 0xFF);
  StartTablePacket(std::span(buffer).first(kPacketSize), kSdtPid);
  ByteWriter w = BeginSection(buffer, kSdtActualTableId, kSiLengthFlags);
  w.U16(static_cast<uint16_t>(cfg.A.TransportStreamId));
  w.U8(kVersionByteBase);
  w.U8(0);
  w.U8(0);
  w.U16(static_cast<uint16_t>(cfg.A.TransportStreamId));  // original_network_id
  w.U8(0xFF);                                              // reserved_future_use
  for (int k = 0; k < n; ++k) WriteService(w, cfg.A.Services[k]);
  FinishSection(buffer, w);
  return buffer;
}

std::vector<DevicePacket> SdtPackets(std::span<const uint8_t> buffer) {
  // The buffer is a whole number of packets long; each continuation uses 184 of its 188 bytes.
  const std::size_t continuations = buffer.size() / kPacketSize - 1;
  std::vector<DevicePacket> packets(1 + continuations);
  std::copy_n(buffer.begin(), kPacketSize, packets[0].begin());
  for (std::size_t c = 0; c < continuations; ++c) {
    DevicePacket& next = packets[1 + c];
    StartTablePacket(next, kSdtPid, /*unitStart=*/false);
    const auto from = buffer.begin() + static_cast<std::ptrdiff_t>(kPacketSize + c * kTsPayloadSize);
    std::copy_n(from, kTsPayloadSize, next.begin() + kTsHeaderSize);
  }
  return packets;
}

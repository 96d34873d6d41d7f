#include "image/Pmt.h"

#include <algorithm>
#include <array>

#include "config/StreamTypes.h"
#include "image/PsiSection.h"

namespace {

// system_clock_descriptor (external reference 0, accuracy 0) and smoothing_buffer_descriptor
// (sb_leak_rate 27500 = 11,000,000 bit/s, sb_size 1536 bytes).
constexpr std::array<uint8_t, 12> kProgramInfo{0x0B, 0x02, 0x40, 0x1F, 0x10, 0x06,
                                               0xC0, 0x6B, 0x6C, 0xC0, 0x06, 0x00};
// AC-3 descriptor with component_type 0x52.
constexpr std::array<uint8_t, 5> kAc3Descriptor{0x6A, 0x03, 0x80, 0x52, 0x00};

constexpr uint8_t kStreamIdentifierDescriptor = 0x52;
constexpr uint8_t kSubtitleComponentTag = 0x06;
constexpr uint8_t kIso639LanguageDescriptor = 0x0A;
constexpr uint8_t kSubtitlingDescriptor = 0x59;
constexpr uint16_t kCompositionPageId = 0x0004;
constexpr uint16_t kAncillaryPageId = 0x0005;
constexpr std::size_t kLanguageBytes = 3;
// The descriptor loops of a subtitled data stream: the ISO 639 language descriptor alone (0x82), or
// stream identifier, ISO 639 language and subtitling descriptors (0x06).
constexpr std::size_t kPrivateSectionsSubtitleInfoLength = 2 + 4;
constexpr std::size_t kDvbSubtitleInfoLength = 3 + (2 + 4) + (2 + 8);

void WriteEsInfoLength(ByteWriter& w, std::size_t length) { w.U16(static_cast<uint16_t>(0xF000 | length)); }

void WriteStreamHead(ByteWriter& w, uint8_t streamType, int16_t pid) {
  w.U8(streamType);
  w.SectionPid(pid);
}

void WriteDataStream(ByteWriter& w, const DataStream& data) {
  const uint8_t type = StreamTypeFor(StreamKind::Data, data.Type);
  const auto subtitlingType = static_cast<uint8_t>(data.SubtitlingType & 0xFF);
  WriteStreamHead(w, type, data.PidOut);
  if (!data.SubtitleEnabled) {
    WriteEsInfoLength(w, 0);
  } else if (type == kPrivateSectionsStreamType) {
    WriteEsInfoLength(w, kPrivateSectionsSubtitleInfoLength);
    w.U8(kIso639LanguageDescriptor);
    w.U8(4);
    w.Text(data.LanguageCode, kLanguageBytes);
    w.U8(subtitlingType);  // in the audio_type position
  } else {
    WriteEsInfoLength(w, kDvbSubtitleInfoLength);
    w.U8(kStreamIdentifierDescriptor);
    w.U8(1);
    w.U8(kSubtitleComponentTag);
    w.U8(kIso639LanguageDescriptor);
    w.U8(4);
    w.Text(data.LanguageCode, kLanguageBytes);
    w.U8(0x00);
    w.U8(kSubtitlingDescriptor);
    w.U8(8);
    w.Text(data.LanguageCode, kLanguageBytes);
    w.U8(subtitlingType);
    w.U16(kCompositionPageId);
    w.U16(kAncillaryPageId);
  }
}

}  // namespace

DevicePacket BuildPmt(const MuxConfig& cfg, int k) {
  const ProgramEntry& program = cfg.A.Programs[k];
  const bool generate = program.GeneratePmt != 0;
  DevicePacket packet;
  StartTablePacket(packet, program.PmtPid);
  ByteWriter w = BeginSection(packet, kPmtTableId, kPsiLengthFlags);
  w.U16(program.ServiceId);  // program_number
  w.U8(kVersionByteBase);
  w.U8(0);
  w.U8(0);
  w.SectionPid(program.PcrPidOut);  // written even when it holds no PID
  WriteEsInfoLength(w, kProgramInfo.size());
  w.Bytes(kProgramInfo);

  if (program.VideoPidOut != kNoPid) {
    WriteStreamHead(w, StreamTypeFor(StreamKind::Video, program.VideoType), program.VideoPidOut);
    WriteEsInfoLength(w, 0);
  }
  for (const AudioStream& audio : program.Audio) {
    if (audio.PidOut == kNoPid) continue;
    const uint8_t type = StreamTypeFor(StreamKind::Audio, audio.Type);
    WriteStreamHead(w, type, audio.PidOut);
    if (type == kAc3StreamType) {
      WriteEsInfoLength(w, kAc3Descriptor.size());
      w.Bytes(kAc3Descriptor);
    } else {
      WriteEsInfoLength(w, 0);
    }
  }
  for (const DataStream& data : program.Data)
    if (data.PidOut != kNoPid) WriteDataStream(w, data);
  FinishSection(packet, w);

  if (!generate) {
    // The device is not to generate this PMT: the packet moves to the null PID (bytes 1 and 2 carry
    // only the PID, no start flag) and the PMT PID, with the start flag, takes the last two bytes.
    std::copy_n(packet.begin() + 1, 2, packet.end() - 2);
    ByteWriter(packet, 1).U16(static_cast<uint16_t>(kNullPid));
  }
  return packet;
}

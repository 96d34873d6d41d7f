#include "image/ImageParser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "config/RecordOps.h"
#include "config/StreamTypes.h"
#include "image/ControlPackets.h"
#include "image/ImageLayout.h"
#include "image/PacketReader.h"
#include "image/PsiSection.h"

namespace {

// Section offsets inside a table's first packet.
constexpr std::size_t kTableIdAt = kSectionOffset;
constexpr std::size_t kTableExtensionAt = kSectionOffset + 3;  // transport_stream_id, program_number
constexpr std::size_t kVersionAt = kSectionOffset + 5;
constexpr std::size_t kSectionNumberAt = kSectionOffset + 6;
constexpr std::size_t kLastSectionNumberAt = kSectionOffset + 7;
constexpr std::size_t kSectionBodyAt = kSectionOffset + 8;  // first byte after the common header
constexpr std::size_t kPidAt = 1;  // in the transport-stream header
constexpr std::size_t kPidLowByteAt = 2;

constexpr int kPatFixedLength = 9;       // section_length without any program entry
constexpr int kPatNetworkEntryLength = 4;
constexpr std::size_t kPatEntrySize = 4;

constexpr std::size_t kNitNameLengthAt = 16;
constexpr std::size_t kNitNameAt = 17;

constexpr std::size_t kSdtFirstServiceAt = 16;
constexpr std::size_t kSdtServiceSize = 30;
constexpr std::size_t kSdtFlagsAt = 2;
constexpr std::size_t kSdtProviderNameAt = 9;
constexpr std::size_t kSdtServiceNameAt = 20;

constexpr std::size_t kPmtPcrPidAt = 13;
constexpr std::size_t kPmtEsLoopAt = 29;
constexpr std::size_t kEsEntryHeaderSize = 5;
constexpr std::size_t kPmtPidTailAt = kPacketSize - 2;  // a PMT on the null PID names its PID here
// Where the writer places the language and subtitling type inside a data stream's descriptors, and
// how long the descriptors must be to hold them.
constexpr std::size_t kDvbSubtitleLanguageAt = 11;  // in the subtitling descriptor, after two others
constexpr std::size_t kDvbSubtitleFieldsEnd = 15;
constexpr std::size_t kIso639LanguageAt = 2;  // in the ISO 639 language descriptor
constexpr std::size_t kIso639FieldsEnd = 6;
constexpr std::size_t kLanguageBytes = 3;

class PlayedBackImage {
 public:
  explicit PlayedBackImage(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  // The packet at `index`; nothing when the image ends before the packet does.
  std::optional<PacketReader> Packet(int index) const {
    const std::size_t at = PacketOffset(index);
    if (at > bytes_.size() || bytes_.size() - at < kPacketSize) return std::nullopt;
    return PacketReader(bytes_.subspan(at, kPacketSize));
  }

 private:
  std::span<const uint8_t> bytes_;
};

bool IsTablePacket(const PacketReader& p, int16_t pid) {
  return p.U8(0) == kTsSync && p.U8(kPidLowByteAt) == (pid & 0xFF);
}

bool IsControl(const PacketReader& p, ControlType type) {
  return IsControlPacket(p.Bytes(0, kPacketSize).data(), type);
}

int SectionLengthIn(const PacketReader& p) { return p.Length12(kSectionOffset + 1); }

bool SectionFitsPacket(const PacketReader& p) { return SectionLengthIn(p) <= kMaxSectionLengthInPacket; }

struct PatContent {
  uint16_t transportStreamId = 0;
  int version = 0;
  int sections = 1;
  std::vector<int16_t> pmtPids;
};

void ReadPatEntries(const PacketReader& p, std::size_t firstEntryAt, int count, std::vector<int16_t>& pmtPids) {
  for (int j = 0; j < count && static_cast<int>(pmtPids.size()) < kMaxPrograms; ++j)
    pmtPids.push_back(p.SectionPid(firstEntryAt + kPatEntrySize * static_cast<std::size_t>(j) + 2));
}

// All PAT sections, the first announcing how many there are. The PAT is one table: when any of its
// sections is missing or malformed there is no PAT, since the packets after it could not be found.
std::optional<PatContent> ReadPat(const PlayedBackImage& image) {
  const std::optional<PacketReader> first = image.Packet(kPatIndex);
  if (!first || !IsTablePacket(*first, kPatPid) || !SectionFitsPacket(*first)) return std::nullopt;
  PatContent pat;
  pat.transportStreamId = first->U16(kTableExtensionAt);
  pat.version = (first->U8(kVersionAt) & 0x3E) >> 1;
  pat.sections = first->U8(kLastSectionNumberAt) + 1;
  const int firstCount =
      (SectionLengthIn(*first) - kPatFixedLength - kPatNetworkEntryLength) / static_cast<int>(kPatEntrySize);
  ReadPatEntries(*first, kSectionBodyAt + kPatEntrySize, std::max(firstCount, 0), pat.pmtPids);

  for (int s = 1; s < pat.sections && static_cast<int>(pat.pmtPids.size()) < kMaxPrograms; ++s) {
    const std::optional<PacketReader> next = image.Packet(kPatIndex + s);
    if (!next || !IsTablePacket(*next, kPatPid) || !SectionFitsPacket(*next) ||
        next->U8(kTableIdAt) != kPatTableId || next->U8(kSectionNumberAt) != s)
      return std::nullopt;
    const int count = (SectionLengthIn(*next) - kPatFixedLength) / static_cast<int>(kPatEntrySize);
    ReadPatEntries(*next, kSectionBodyAt, std::max(count, 0), pat.pmtPids);
  }
  return pat;
}

// The name in the NIT's network name descriptor, up to a zero byte, as much as the record holds.
std::optional<std::string> ReadNetworkName(const PlayedBackImage& image, const PsiLayout& layout) {
  const std::optional<PacketReader> p = image.Packet(layout.NitIndex());
  if (!p || !IsTablePacket(*p, kNitPid)) return std::nullopt;
  const std::span<const uint8_t> bytes = p->Bytes(kNitNameAt, p->U8(kNitNameLengthAt));
  if (bytes.size() != p->U8(kNitNameLengthAt)) return std::nullopt;  // the name runs past the packet
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  std::string name(bytes.begin(), end);
  name.resize(std::min(name.size(), sizeof(MuxBlockA::NetworkName) - 1));
  return name;
}

void CopyName(char* field, std::span<const uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), field);
  field[bytes.size()] = '\0';
}

// The SDT's first packet and the payloads of its continuation packets, rejoined into the buffer the
// writer cut them from; all of them must be present.
std::optional<std::vector<uint8_t>> ReadSdtBuffer(const PlayedBackImage& image, const PsiLayout& layout) {
  std::vector<uint8_t> buffer;
  for (int c = 0; c <= layout.sdtContinuations; ++c) {
    const std::optional<PacketReader> p = image.Packet(layout.SdtIndex() + c);
    if (!p) return std::nullopt;
    const std::span<const uint8_t> part = c == 0 ? p->Bytes(0, kPacketSize) : p->Bytes(kTsHeaderSize, kTsPayloadSize);
    buffer.insert(buffer.end(), part.begin(), part.end());
  }
  return buffer;
}

void ReadSdt(const PlayedBackImage& image, const PsiLayout& layout, MuxConfig& cfg) {
  const std::optional<std::vector<uint8_t>> buffer = ReadSdtBuffer(image, layout);
  if (!buffer) return;
  const PacketReader sdt(*buffer);
  if (!IsTablePacket(sdt, kSdtPid)) return;
  for (int k = 0; k < layout.programs; ++k) {
    const std::size_t s = kSdtFirstServiceAt + kSdtServiceSize * static_cast<std::size_t>(k);
    if (!sdt.Holds(s, kSdtServiceSize)) return;
    ServiceEntry& service = cfg.A.Services[k];
    service.ServiceId = sdt.U16(s);
    const uint8_t flags = sdt.U8(s + kSdtFlagsAt);
    service.EitSchedule = (flags >> 1) & 1;
    service.EitPresentFollowing = flags & 1;
    CopyName(service.ProviderName, sdt.Bytes(s + kSdtProviderNameAt, kNameBytes));
    CopyName(service.ServiceName, sdt.Bytes(s + kSdtServiceNameAt, kNameBytes));
  }
}

// The subtitle fields of a data stream, taken from where the writer puts them inside the stream's
// descriptors; descriptors laid out any other way announce no subtitles that we can read.
void ReadSubtitle(const PacketReader& p, uint8_t streamType, std::size_t infoAt, std::size_t infoLength,
                  DataStream& data) {
  const bool dvbSubtitles = streamType != kPrivateSectionsStreamType;
  const std::size_t languageAt = infoAt + (dvbSubtitles ? kDvbSubtitleLanguageAt : kIso639LanguageAt);
  const std::size_t needed = dvbSubtitles ? kDvbSubtitleFieldsEnd : kIso639FieldsEnd;
  data.SubtitleEnabled = infoLength >= needed ? 1 : 0;
  if (!data.SubtitleEnabled) return;
  for (std::size_t i = 0; i < kLanguageBytes; ++i) data.LanguageCode[i] = static_cast<char>(p.U8(languageAt + i));
  data.LanguageCode[kLanguageBytes] = '\0';
  data.SubtitlingType = p.U8(languageAt + kLanguageBytes);
}

void ReadPmt(const PacketReader& p, MuxConfig& cfg, int k) {
  ProgramEntry& program = cfg.A.Programs[k];
  // Streams go into the first free slots in PMT order; the claims are this parse's scratch state.
  std::array<bool, 4> audioClaimed{};
  std::array<bool, 2> dataClaimed{};
  for (AudioStream& a : program.Audio) a.Claimed = 0;
  for (DataStream& d : program.Data) d.Claimed = 0;

  int16_t pid = p.SectionPid(kPidAt);
  uint8_t generate = 1;
  if (pid == kNullPid) {
    pid = p.SectionPid(kPmtPidTailAt);
    generate = 0;
  }
  program.ServiceId = p.U16(kTableExtensionAt);
  if (p.U8(0) != kTsSync || cfg.A.PmtPidOfProgram[k] != pid || !SectionFitsPacket(p)) return;
  program.GeneratePmt = generate;
  program.PmtPid = pid;
  program.PcrPidOut = p.SectionPid(kPmtPcrPidAt);

  const std::size_t loopEnd = SectionCrcOffset(p.Bytes(0, kPacketSize));
  for (std::size_t at = kPmtEsLoopAt; at + kEsEntryHeaderSize <= loopEnd;) {
    const uint8_t streamType = p.U8(at);
    const int16_t esPid = p.SectionPid(at + 1);
    const auto infoLength = static_cast<std::size_t>(p.Length12(at + 3));
    const std::size_t infoAt = at + kEsEntryHeaderSize;
    if (infoLength > loopEnd - infoAt) break;  // descriptors that run past the section end the loop
    at = infoAt + infoLength;

    const std::optional<ClassifiedStream> stream = ClassifyStreamType(streamType);
    if (!stream) continue;
    switch (stream->kind) {
      case StreamKind::Video:
        program.VideoPidOut = esPid;
        program.VideoType = stream->code;
        break;
      case StreamKind::Audio: {
        const auto slot = std::find(audioClaimed.begin(), audioClaimed.end(), false);
        if (slot == audioClaimed.end()) break;
        *slot = true;
        AudioStream& audio = program.Audio[slot - audioClaimed.begin()];
        audio.PidOut = esPid;
        audio.Type = stream->code;
        break;
      }
      case StreamKind::Data: {
        const auto slot = std::find(dataClaimed.begin(), dataClaimed.end(), false);
        if (slot == dataClaimed.end()) break;
        *slot = true;
        DataStream& data = program.Data[slot - dataClaimed.begin()];
        data.PidOut = esPid;
        data.Type = stream->code;
        ReadSubtitle(p, streamType, infoAt, infoLength, data);
        break;
      }
    }
  }
}

void ReadHeader(const PacketReader& p, MuxConfig& cfg, int n) {
  Pacing pacing;
  pacing.PacketGap[0] = p.U16Le(kHeaderPacingOffset);
  pacing.ByteGap = p.U8(kHeaderByteGapOffset);
  for (int i = 1; i < kPacingCycle; ++i)
    pacing.PacketGap[i] = p.U16Le(kHeaderByteGapOffset + 1 + 2 * static_cast<std::size_t>(i - 1));
  if (n > 0) StorePacing(cfg.A.NetworkParams, pacing);
  StorePacing(cfg.B.NetworkParamsCopy, pacing);
}

// Gives the entry's input PID and input to every stream of every program that leaves on `out`.
bool AssignMapEntry(MuxConfig& cfg, int16_t input, int16_t in, int16_t out) {
  bool matched = false;
  auto match = [&](int16_t streamOut, int16_t& streamIn, int k) {
    if (streamOut != out) return;
    cfg.A.InputOfProgram[k] = input;
    streamIn = in;
    matched = true;
  };
  for (int k = 0; k < ProgramsInImage(cfg); ++k) {
    ProgramEntry& p = cfg.A.Programs[k];
    match(p.PcrPidOut, p.PcrPidIn, k);
    match(p.VideoPidOut, p.VideoPidIn, k);
    for (AudioStream& a : p.Audio) match(a.PidOut, a.PidIn, k);
    for (DataStream& d : p.Data) match(d.PidOut, d.PidIn, k);
  }
  return matched;
}

int ReadInputMaps(const PlayedBackImage& image, MuxConfig& cfg) {
  int badPackets = 0;
  int ghosts = 0;
  GhostPidTable& table = cfg.B.GhostTable;
  for (int i = 0; i < kAsiInputs; ++i) {
    const std::optional<PacketReader> p = image.Packet(kFirstInputMapIndex + i);
    if (!p || !IsControl(*p, ControlType::InputMap)) {
      ++badPackets;
      continue;
    }
    const auto input = static_cast<int16_t>(i + 1);
    for (int e = 0; e < kMapEntriesPerPacket; ++e) {
      const std::size_t at = kMapEntriesOffset + kMapEntrySize * static_cast<std::size_t>(e);
      const int16_t out = p->ControlPid(at + 2);
      if (out == kNoPid) break;
      const int16_t in = p->ControlPid(at);
      if (AssignMapEntry(cfg, input, in, out) || in == kNoPid || ghosts == kMaxGhostEntries) continue;
      table.Input[ghosts] = input;
      table.PidIn[ghosts] = in;
      table.PidOut[ghosts] = out;
      ++ghosts;
    }
  }
  table.Count = static_cast<int16_t>(ghosts);
  return badPackets;
}

void ReadPcrList(const PacketReader& p, MuxConfig& cfg, int n) {
  for (int j = 0; j < n && j < kPcrListBCapacity; ++j) {
    const std::size_t at = kPcrListBOffset + kPcrEntrySize * static_cast<std::size_t>(j);
    const int16_t pid = p.ControlPid(at);
    const uint8_t adjust = (p.U8(at + 1) & kPcrAdjustFlag) ? 1 : 0;
    for (int k = 0; k < n; ++k)
      if (cfg.A.Programs[k].PcrPidOut == pid) cfg.A.Programs[k].PcrAdjust = adjust;
  }
}

}  // namespace

ParsedImage ParsePlayedBackImage(std::span<const uint8_t> bytes, MuxConfig& cfg, int& psiVersion) {
  const PlayedBackImage image(bytes);
  ParsedImage result;
  const std::optional<PacketReader> header = image.Packet(kHeaderIndex);
  const bool headerFound = header && IsControl(*header, ControlType::Header);

  const std::optional<PatContent> pat = ReadPat(image);
  PsiLayout layout;
  if (pat) {
    const int n = static_cast<int>(pat->pmtPids.size());
    ResetProgramSlots(cfg, n);
    cfg.A.ProgramCount = static_cast<int16_t>(n);
    cfg.A.TransportStreamId = static_cast<int16_t>(pat->transportStreamId);
    psiVersion = pat->version;
    std::copy(pat->pmtPids.begin(), pat->pmtPids.end(), cfg.A.PmtPidOfProgram);
    layout = {n, pat->sections, SdtContinuationPackets(n)};
    result.patFound = true;
    result.programCount = n;
  } else if (headerFound) {
    // An image of ghost PIDs only: the device holds no programs, so neither does the record.
    cfg.A.ProgramCount = 0;
    cfg.A.TransportStreamId = 0;
  }
  const int n = layout.programs;

  if (const std::optional<std::string> name = ReadNetworkName(image, layout)) {
    std::memset(cfg.A.NetworkName, 0, sizeof cfg.A.NetworkName);
    std::memcpy(cfg.A.NetworkName, name->data(), name->size());
    result.networkNameText = *name;
  }
  if (n > 0) {
    ReadSdt(image, layout, cfg);
    for (int k = 0; k < n; ++k)
      if (const std::optional<PacketReader> pmt = image.Packet(layout.PmtIndex(k))) ReadPmt(*pmt, cfg, k);
  }
  if (headerFound) ReadHeader(*header, cfg, n);
  result.badMapPackets = ReadInputMaps(image, cfg);
  if (const std::optional<PacketReader> pcr = image.Packet(kPcrListIndex);
      pcr && IsControl(*pcr, ControlType::PcrList))
    ReadPcrList(*pcr, cfg, n);
  return result;
}

#pragma once
// The configuration record. Its layout is the .MUX file format: Block A then Block B, little-endian,
// every reserved byte and alignment gap kept, so a saved file reopens byte for byte.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "the record is stored in host byte order");

inline constexpr int16_t kNoPid = 8191;  // a PID field holding 0x1FFF holds no PID
inline constexpr int kMaxPrograms = 100;
inline constexpr int kMaxGhostEntries = 352;
inline constexpr int kMaxPidsPerInput = 44;
inline constexpr int kAsiInputs = 4;
inline constexpr int kPacingCycle = 10;  // packets per pacing cycle
inline constexpr int kNameBytes = 10;     // service, provider and network names

struct AudioStream {
  int16_t Type;
  int16_t PidIn;
  int16_t PidOut;
  uint8_t Claimed;  // work flag of the played-back image parser; 0 at all other times
  uint8_t Gap;
};

struct DataStream {
  int16_t Type;  // 0: stream_type 0x06, 1: stream_type 0x82
  int16_t PidIn;
  int16_t PidOut;
  uint8_t Claimed;
  uint8_t SubtitleEnabled;
  char LanguageCode[4];  // ISO 639-2, three letters and NUL
  int32_t SubtitlingType;
};

struct ProgramEntry {
  int16_t PmtPid;
  uint16_t ServiceId;
  int16_t PcrPidIn;
  int16_t PcrPidOut;
  AudioStream Audio[4];
  int16_t VideoPidIn;
  int16_t VideoPidOut;
  int16_t VideoType;
  uint8_t Gap1[2];
  DataStream Data[2];
  uint8_t PcrAdjust;
  uint8_t GeneratePmt;
  uint8_t Gap2[2];
};

struct ServiceEntry {
  uint16_t ServiceId;
  uint8_t EitPresentFollowing;
  uint8_t EitSchedule;
  char ServiceName[11];
  char ProviderName[11];
};

// The pacing values are 2-byte aligned inside both blocks, so these two are packed to 2.
#pragma pack(push, 2)
struct NetworkParamsA {
  uint16_t PacketGap[kPacingCycle];
  int16_t ByteGap;
  uint8_t Gap[6];
  int64_t BitRate;
};
struct NetworkParamsB {  // Block B's copy has no alignment gap
  uint16_t PacketGap[kPacingCycle];
  int16_t ByteGap;
  int64_t BitRate;
};
#pragma pack(pop)

struct GhostPidTable {
  int16_t PidIn[kMaxGhostEntries];
  int16_t PidOut[kMaxGhostEntries];
  int16_t Input[kMaxGhostEntries];
  int16_t Count;
};

struct MuxBlockA {
  int16_t InputOfProgram[kMaxPrograms];
  uint8_t Reserved1[142];
  int16_t ProgramCount;
  int16_t TransportStreamId;
  int16_t PmtPidOfProgram[kMaxPrograms];
  uint8_t Reserved2[142];
  ServiceEntry Services[kMaxPrograms];
  char NetworkName[12];
  NetworkParamsA NetworkParams;
  ProgramEntry Programs[kMaxPrograms];
};

struct MuxBlockB {
  GhostPidTable GhostTable;
  NetworkParamsB NetworkParamsCopy;
};

struct MuxConfig {
  MuxBlockA A;
  MuxBlockB B;
};

inline constexpr std::size_t kBlockASize = 11736;
inline constexpr std::size_t kBlockBSize = 2144;
inline constexpr std::size_t kMuxFileSize = kBlockASize + kBlockBSize;

static_assert(sizeof(AudioStream) == 8);
static_assert(sizeof(DataStream) == 16);
static_assert(offsetof(DataStream, Claimed) == 6 && offsetof(DataStream, SubtitleEnabled) == 7);
static_assert(offsetof(DataStream, LanguageCode) == 8 && offsetof(DataStream, SubtitlingType) == 12);
static_assert(sizeof(ProgramEntry) == 84);
static_assert(offsetof(ProgramEntry, ServiceId) == 2 && offsetof(ProgramEntry, PcrPidIn) == 4);
static_assert(offsetof(ProgramEntry, PcrPidOut) == 6 && offsetof(ProgramEntry, Audio) == 8);
static_assert(offsetof(ProgramEntry, VideoPidIn) == 40 && offsetof(ProgramEntry, VideoPidOut) == 42);
static_assert(offsetof(ProgramEntry, VideoType) == 44 && offsetof(ProgramEntry, Data) == 48);
static_assert(offsetof(ProgramEntry, PcrAdjust) == 80 && offsetof(ProgramEntry, GeneratePmt) == 81);
static_assert(sizeof(ServiceEntry) == 26);
static_assert(offsetof(ServiceEntry, EitPresentFollowing) == 2 && offsetof(ServiceEntry, EitSchedule) == 3);
static_assert(offsetof(ServiceEntry, ServiceName) == 4 && offsetof(ServiceEntry, ProviderName) == 15);
static_assert(sizeof(NetworkParamsA) == 36 && offsetof(NetworkParamsA, ByteGap) == 20);
static_assert(offsetof(NetworkParamsA, BitRate) == 28);
static_assert(sizeof(NetworkParamsB) == 30 && offsetof(NetworkParamsB, BitRate) == 22);
static_assert(sizeof(GhostPidTable) == 2114 && offsetof(GhostPidTable, PidOut) == 704);
static_assert(offsetof(GhostPidTable, Input) == 1408 && offsetof(GhostPidTable, Count) == 2112);

static_assert(sizeof(MuxBlockA) == kBlockASize);
static_assert(offsetof(MuxBlockA, Reserved1) == 200 && offsetof(MuxBlockA, ProgramCount) == 342);
static_assert(offsetof(MuxBlockA, TransportStreamId) == 344 && offsetof(MuxBlockA, PmtPidOfProgram) == 346);
static_assert(offsetof(MuxBlockA, Reserved2) == 546 && offsetof(MuxBlockA, Services) == 688);
static_assert(offsetof(MuxBlockA, NetworkName) == 3288 && offsetof(MuxBlockA, NetworkParams) == 3300);
static_assert(offsetof(MuxBlockA, Programs) == 3336);
static_assert(sizeof(MuxBlockB) == kBlockBSize);
static_assert(offsetof(MuxBlockB, NetworkParamsCopy) == 2114);
static_assert(sizeof(MuxConfig) == kMuxFileSize && offsetof(MuxConfig, B) == kBlockASize);

// The output pacing as the header packet carries it, independent of which block it came from.
struct Pacing {
  std::array<uint16_t, kPacingCycle> PacketGap{};
  int16_t ByteGap = 0;
  bool operator==(const Pacing&) const = default;
};

template <class Params>
Pacing PacingOf(const Params& params) {
  Pacing p;
  for (int i = 0; i < kPacingCycle; ++i) p.PacketGap[i] = params.PacketGap[i];
  p.ByteGap = params.ByteGap;
  return p;
}

template <class Params>
void StorePacing(Params& params, const Pacing& p) {
  for (int i = 0; i < kPacingCycle; ++i) params.PacketGap[i] = p.PacketGap[i];
  params.ByteGap = p.ByteGap;
}

// Block A's pacing describes a configuration with programs; Block B's copy one of ghost PIDs only.
inline Pacing ActivePacing(const MuxConfig& cfg) {
  return cfg.A.ProgramCount > 0 ? PacingOf(cfg.A.NetworkParams) : PacingOf(cfg.B.NetworkParamsCopy);
}

inline bool IsEmptyConfiguration(const MuxConfig& cfg) {
  return cfg.A.ProgramCount <= 0 && cfg.B.GhostTable.Count <= 0;
}

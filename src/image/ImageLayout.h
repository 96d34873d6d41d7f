#pragma once
// Where each packet sits in a configuration image. The played-back image starts with the header, so
// these indices are also the parser's offsets (index x kPacketSize).

#include <algorithm>
#include <cstddef>

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

inline constexpr int kHeaderIndex = 0;
inline constexpr int kFirstInputMapIndex = 1;
inline constexpr int kInputMapPackets = 8;  // input indices 0..7, although only inputs 1..4 are offered
inline constexpr int kSpareMapIndex = kFirstInputMapIndex + kInputMapPackets;
inline constexpr int kPcrListIndex = kSpareMapIndex + 1;
inline constexpr int kPatIndex = kPcrListIndex + 1;
inline constexpr int kControlPacketsWithHeader = kPatIndex;  // image of ghost PIDs only

// One PAT section per packet: the first carries the network entry and up to 41 programs, every
// further section up to 42 programs.
inline constexpr int kMaxPatProgramsFirstSection = 41;
inline constexpr int kMaxPatProgramsPerSection = 42;

// The SDT's first packet holds 5 services, each continuation packet 6 more.
inline constexpr int kSdtServicesFirstPacket = 5;
inline constexpr int kSdtServicesPerContinuation = 6;

constexpr int ClampedCount(int count, int limit) { return std::clamp(count, 0, limit); }

// Programs the image carries: ProgramCount, kept inside the record's 100 slots.
inline int ProgramsInImage(const MuxConfig& cfg) { return ClampedCount(cfg.A.ProgramCount, kMaxPrograms); }
inline int GhostsInImage(const MuxConfig& cfg) { return ClampedCount(cfg.B.GhostTable.Count, kMaxGhostEntries); }

constexpr int PatSectionCount(int programs) {
  if (programs <= kMaxPatProgramsFirstSection) return 1;
  const int rest = programs - kMaxPatProgramsFirstSection;
  return 1 + (rest + kMaxPatProgramsPerSection - 1) / kMaxPatProgramsPerSection;
}

constexpr int SdtContinuationPackets(int programs) {
  if (programs <= kSdtServicesFirstPacket) return 0;
  const int rest = programs - kSdtServicesFirstPacket;
  return (rest + kSdtServicesPerContinuation - 1) / kSdtServicesPerContinuation;
}

// The table packets after the PCR packet, for n programs carried in `patSections` PAT packets.
struct PsiLayout {
  int programs = 0;
  int patSections = 1;
  int sdtContinuations = 0;

  static constexpr PsiLayout ForPrograms(int n) { return {n, PatSectionCount(n), SdtContinuationPackets(n)}; }

  constexpr int NitIndex() const { return kPatIndex + patSections; }
  constexpr int SdtIndex() const { return NitIndex() + 1; }
  constexpr int PmtIndex(int k) const { return SdtIndex() + 1 + sdtContinuations + k; }
  constexpr int PacketCount() const { return PmtIndex(programs); }
};

constexpr std::size_t PacketOffset(int index) { return static_cast<std::size_t>(index) * kPacketSize; }

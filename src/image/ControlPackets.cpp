#include "image/ControlPackets.h"

#include <algorithm>

#include "image/ByteWriter.h"
#include "image/ImageLayout.h"

std::vector<MapEntry> InputMapEntries(const MuxConfig& cfg, int inputIndex) {
  const int input = inputIndex + 1;
  std::vector<MapEntry> entries;
  auto add = [&entries](int16_t in, int16_t out) {
    if (out != kNoPid) entries.push_back({in, out});
  };
  for (int k = 0; k < ProgramsInImage(cfg); ++k) {
    if (cfg.A.InputOfProgram[k] != input) continue;
    const ProgramEntry& p = cfg.A.Programs[k];
    add(p.PcrPidIn, p.PcrPidOut);
    add(p.VideoPidIn, p.VideoPidOut);
    for (const AudioStream& a : p.Audio) add(a.PidIn, a.PidOut);
    for (const DataStream& d : p.Data) add(d.PidIn, d.PidOut);
  }
  const GhostPidTable& ghosts = cfg.B.GhostTable;
  for (int g = 0; g < GhostsInImage(cfg); ++g)
    if (ghosts.Input[g] == input) entries.push_back({ghosts.PidIn[g], ghosts.PidOut[g]});
  return entries;
}

std::vector<PcrListEntry> ProgramsWithPcr(const MuxConfig& cfg) {
  std::vector<PcrListEntry> list;
  for (int k = 0; k < ProgramsInImage(cfg); ++k) {
    const ProgramEntry& p = cfg.A.Programs[k];
    if (p.PcrPidOut != kNoPid) list.push_back({p.PcrPidOut, p.PcrAdjust != 0});
  }
  return list;
}

std::vector<int16_t> AdjustedPcrPids(const MuxConfig& cfg) {
  std::vector<int16_t> pids;
  for (const PcrListEntry& entry : ProgramsWithPcr(cfg))
    if (entry.adjust) pids.push_back(entry.pid);
  return pids;
}

DevicePacket BuildHeaderPacket(uint16_t imageSize, const Pacing& pacing) {
  DevicePacket packet = ControlPacket(ControlType::Header);
  ByteWriter w(packet, kHeaderSizeOffset);
  w.U16Le(imageSize);
  w.U8(kHeaderFormat);
  // ByteGap sits in the single byte between the first packet gap and the other nine.
  w.U16Le(pacing.PacketGap[0]);
  w.U8(static_cast<uint8_t>(pacing.ByteGap & 0xFF));
  for (int i = 1; i < kPacingCycle; ++i) w.U16Le(pacing.PacketGap[i]);
  return packet;
}

DevicePacket BuildInputMapPacket(const MuxConfig& cfg, int inputIndex) {
  DevicePacket packet = ControlPacket(ControlType::InputMap);
  packet[kMapInputIndexOffset] = static_cast<uint8_t>(inputIndex);
  ByteWriter w(packet, kMapEntriesOffset);
  for (int e = 0; e < kMapEntriesPerPacket; ++e) {
    w.ControlPid(kNoPid);
    w.ControlPid(kNoPid);
  }
  const std::vector<MapEntry> entries = InputMapEntries(cfg, inputIndex);
  w.Seek(kMapEntriesOffset);
  for (std::size_t e = 0; e < entries.size() && e < kMapEntriesPerPacket; ++e) {
    w.ControlPid(entries[e].pidIn);
    w.ControlPid(entries[e].pidOut);
  }
  return packet;
}

DevicePacket BuildSpareMapPacket() {
  DevicePacket packet = ControlPacket(ControlType::InputMap);
  packet[kMapInputIndexOffset] = kSpareMapInputIndex;
  return packet;
}

DevicePacket BuildPcrPacket(const MuxConfig& cfg) {
  DevicePacket packet = ControlPacket(ControlType::PcrList);
  ByteWriter a(packet, kPcrListAOffset);
  for (int e = 0; e < kPcrListACapacity; ++e) a.ControlPid(kNoPid);
  const std::vector<int16_t> listA = AdjustedPcrPids(cfg);
  a.Seek(kPcrListAOffset);
  for (std::size_t e = 0; e < listA.size() && e < kPcrListACapacity; ++e) a.ControlPid(listA[e]);

  const std::vector<PcrListEntry> listB = ProgramsWithPcr(cfg);
  ByteWriter b(packet, kPcrListBOffset);
  for (std::size_t e = 0; e < listB.size() && e < kPcrListBCapacity; ++e)
    b.ControlPid(listB[e].pid, listB[e].adjust ? kPcrAdjustFlag : 0);
  return packet;
}

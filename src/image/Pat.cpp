#include "image/Pat.h"

#include "image/ImageLayout.h"
#include "image/PsiSection.h"

std::vector<DevicePacket> BuildPat(const MuxConfig& cfg, int psiVersion) {
  const int n = ProgramsInImage(cfg);
  const int sections = PatSectionCount(n);
  const auto version = static_cast<uint8_t>((psiVersion & kMaxVersion) << 1);
  std::vector<DevicePacket> packets(static_cast<std::size_t>(sections));
  int k = 0;
  for (int s = 0; s < sections; ++s) {
    DevicePacket& packet = packets[static_cast<std::size_t>(s)];
    StartTablePacket(packet, kPatPid);
    ByteWriter w = BeginSection(packet, kPatTableId, kPsiLengthFlags);
    w.U16(static_cast<uint16_t>(cfg.A.TransportStreamId));
    w.U8(kVersionByteBase | version);
    w.U8(static_cast<uint8_t>(s));
    w.U8(static_cast<uint8_t>(sections - 1));
    int room = kMaxPatProgramsPerSection;
    if (s == 0) {
      w.U16(0);  // program_number 0 names the network PID
      w.SectionPid(kNitPid);
      room = kMaxPatProgramsFirstSection;
    }
    for (; room > 0 && k < n; --room, ++k) {
      w.U16(cfg.A.Programs[k].ServiceId);
      w.SectionPid(cfg.A.PmtPidOfProgram[k]);
    }
    FinishSection(packet, w);
  }
  return packets;
}

#include "image/ImageWriter.h"

#include <cstdio>
#include <memory>

#include "image/ControlPackets.h"
#include "image/ImageLayout.h"
#include "image/Nit.h"
#include "image/Pat.h"
#include "image/Pmt.h"
#include "image/Sdt.h"

namespace {

void Append(std::vector<DevicePacket>& image, const std::vector<DevicePacket>& packets) {
  image.insert(image.end(), packets.begin(), packets.end());
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<DevicePacket> BuildImagePackets(const MuxConfig& cfg, int psiVersion) {
  const int n = ProgramsInImage(cfg);
  const PsiLayout layout = PsiLayout::ForPrograms(n);
  std::vector<DevicePacket> image;
  image.reserve(static_cast<std::size_t>(layout.PacketCount()));

  // Without programs and ghost entries there is nothing to pace: the image starts at the first map.
  if (n > 0 || GhostsInImage(cfg) > 0) {
    const int packets = n > 0 ? layout.PacketCount() : kControlPacketsWithHeader;
    image.push_back(BuildHeaderPacket(static_cast<uint16_t>(PacketOffset(packets)), ActivePacing(cfg)));
  }
  for (int i = 0; i < kInputMapPackets; ++i) image.push_back(BuildInputMapPacket(cfg, i));
  image.push_back(BuildSpareMapPacket());
  image.push_back(BuildPcrPacket(cfg));
  if (n > 0) {
    Append(image, BuildPat(cfg, psiVersion));
    image.push_back(BuildNit(cfg));
    Append(image, BuildSdt(cfg));
    for (int k = 0; k < n; ++k) image.push_back(BuildPmt(cfg, k));
  }
  return image;
}

bool WriteImageFile(const std::filesystem::path& path, const MuxConfig& cfg, int psiVersion) {
  const std::vector<DevicePacket> image = BuildImagePackets(cfg, psiVersion);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "w+b"));
  if (!file) return false;
  const bool written = std::fwrite(image.data(), kPacketSize, image.size(), file.get()) == image.size() &&
                       std::fflush(file.get()) == 0;
  // fclose flushes what is left and reports a failure to do so; the file is closed either way.
  const bool closed = std::fclose(file.release()) == 0;
  return written && closed;
}

#include "link/DeviceCommands.h"

#include <cstdint>
#include <vector>

#include "image/Capacity.h"
#include "image/ImageWriter.h"
#include "link/StdioFile.h"

namespace {

constexpr const char* kNothingToSend = "Nothing to send: add programs or ghost PIDs first.";

// The header's 16-bit size field bounds what a played-back image can hold.
constexpr std::size_t kLargestImage = 0xFFFF;

// The read-back file's bytes, up to the largest image; nullopt when it cannot be opened.
std::optional<std::vector<uint8_t>> ReadImageFile(const std::filesystem::path& path) {
  const StdioFile file = OpenStdioFile(path, "rb");
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes(kLargestImage);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  return bytes;
}

}  // namespace

std::optional<std::string> SendRefusal(const MuxConfig& cfg) {
  if (IsEmptyConfiguration(cfg)) return std::string(kNothingToSend);
  return ImageCapacityProblem(cfg);
}

int BuildImage(const MuxConfig& cfg, int psiVersion, const AppPaths& paths,
               const TransferProgressFn& progress) {
  if (!WriteImageFile(paths.imageToSend, cfg, psiVersion)) return 1;
  return TransferImage(paths.imageToSend, paths.imageReadBack, progress);
}

GetOutcome GetFromDevice(MuxConfig& cfg, int& psiVersion, const AppPaths& paths,
                         const TransferProgressFn& progress) {
  GetOutcome outcome;
  outcome.receiveResult = ReceiveImageFile(paths.imageReadBack, progress);
  if (outcome.receiveResult != 0) return outcome;
  const std::optional<std::vector<uint8_t>> image = ReadImageFile(paths.imageReadBack);
  if (!image) return outcome;
  outcome.fileRead = true;
  outcome.parsed = ParsePlayedBackImage(*image, cfg, psiVersion);
  return outcome;
}

#pragma once
// The transfer protocol: load an image into the device, play it back into a file, compare the two.

#include <filesystem>
#include <functional>

enum class TransferPhase { Loading, PlayingBack, Verifying };

struct TransferProgress {
  TransferPhase phase;
  int packetsDone;   // image packets sent, or play-back packets recorded
  int packetsTotal;  // image packets to send; 0 while playing back (the cycle length is unknown)
};

// Called often (at least once per poll) on the calling thread, so a window can repaint meanwhile.
using TransferProgressFn = std::function<void(const TransferProgress&)>;

void DrainInput(const TransferProgressFn& progress = {});
int SendImageFile(const std::filesystem::path& image, const TransferProgressFn& progress = {});
int ReceiveImageFile(const std::filesystem::path& readBack, const TransferProgressFn& progress = {});
int CompareImageFiles(const std::filesystem::path& a, const std::filesystem::path& b);
// 0 loaded, read back and identical; 1..11 as the result-code table gives them.
int TransferImage(const std::filesystem::path& image, const std::filesystem::path& readBack,
                  const TransferProgressFn& progress = {});

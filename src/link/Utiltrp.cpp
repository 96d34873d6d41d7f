#include "link/Utiltrp.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <thread>

#include "image/DevicePacket.h"
#include "link/ReceiveRing.h"
#include "link/Ser350.h"
#include "link/StdioFile.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kCommandRepeats = 5;  // at the start of a load or a read-back
constexpr auto kDrainPoll = 10ms;
constexpr auto kLoadPause = 1000ms;   // the device gets ready for the image meanwhile
constexpr auto kPauseSlice = 10ms;    // the pause is slept in slices so the window can repaint
constexpr auto kReadBackPoll = 5ms;
constexpr int kReadBackEmptyPolls = 300;  // about 1.5 s of silence ends a read-back
constexpr long kLargestComparedFile = 32000;
constexpr std::size_t kCompareBufferSlack = 10;

// The header's 16-bit size field bounds an image, so a play-back that goes on longer without a
// header is no cycle of a stored image: the read-back gives up instead of recording for ever.
constexpr int kLongestCyclePackets = 0xFFFF / static_cast<int>(kPacketSize);
// A drain that keeps finding packets after a full ring and a whole cycle is facing a device that
// does not stop; it gives up rather than block the window for good.
constexpr int kLongestDrainPackets = static_cast<int>(kReceiveRingSlots) + kLongestCyclePackets;

// The transfer's codes for the verification's: 1 (image not readable) gives 4, ..., 7 gives 10.
constexpr int kCompareCodeOffset = 3;
constexpr int kLinkDown = 11;
// ReceiveImageFile's codes inside TransferImage.
constexpr int kReadBackFileCode = 2;
constexpr int kReadBackTimeOutCode = 3;

enum ReceiveCode { kReceived = 0, kReadBackNotCreated = 1, kReadBackTimedOut = 2 };

void SendRepeated(const DevicePacket& packet, int times) {
  for (int i = 0; i < times; ++i) LinkSendPacket(packet.data());
}

// Tells the caller where the operation stands, once per poll, sleep slice and packet.
class Progress {
 public:
  Progress(const TransferProgressFn& fn, TransferPhase phase, int total = 0)
      : fn_(fn), state_{phase, 0, total} {}
  void Report() const {
    if (fn_) fn_(state_);
  }
  void PacketDone() {
    ++state_.packetsDone;
    Report();
  }
  void Sleep(std::chrono::milliseconds duration) const {
    const auto end = Clock::now() + duration;
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
      Report();
      std::this_thread::sleep_for(std::min<Clock::duration>(kPauseSlice, end - now));
    }
    Report();
  }

 private:
  const TransferProgressFn& fn_;
  TransferProgress state_;
};

void Drain(const Progress& progress) {
  const DevicePacket stop = CommandPacket(CommandAction::Stop);
  LinkSendPacket(stop.data());
  DevicePacket discarded;
  for (int taken = 0; taken < kLongestDrainPackets; ++taken) {
    progress.Sleep(kDrainPoll);
    if (!LinkTakePacket(discarded.data())) return;
  }
}

// The next packet of a read-back; false after 300 attempts in a row found the ring empty.
bool WaitForPacket(DevicePacket& packet, const Progress& progress) {
  for (int empty = 0;;) {
    if (LinkTakePacket(packet.data())) return true;
    if (++empty == kReadBackEmptyPolls) return false;
    progress.Sleep(kReadBackPoll);
  }
}

// Records one play-back cycle, from a header packet up to (not including) the next one.
ReceiveCode RecordCycle(std::FILE* file, Progress& progress) {
  DevicePacket packet;
  for (int skipped = 0;; ++skipped) {
    if (skipped > kLongestCyclePackets || !WaitForPacket(packet, progress)) return kReadBackTimedOut;
    if (IsControlPacket(packet.data(), ControlType::Header)) break;
  }
  for (int recorded = 0;;) {
    if (recorded == kLongestCyclePackets) return kReadBackTimedOut;
    std::fwrite(packet.data(), 1, kPacketSize, file);
    ++recorded;
    progress.PacketDone();
    if (!WaitForPacket(packet, progress)) return kReadBackTimedOut;
    if (IsControlPacket(packet.data(), ControlType::Header)) return kReceived;
  }
}

std::unique_ptr<uint8_t[]> TryAllocate(std::size_t size) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size]);
}

}  // namespace

void DrainInput(const TransferProgressFn& progress) { Drain(Progress(progress, TransferPhase::Loading)); }

int SendImageFile(const std::filesystem::path& image, const TransferProgressFn& progressFn) {
  const StdioFile file = OpenStdioFile(image, "rb");
  if (!file) {
    DrainInput(progressFn);
    return 1;
  }
  const long size = StdioFileSize(file.get());
  Progress progress(progressFn, TransferPhase::Loading,
                    size > 0 ? static_cast<int>(size / static_cast<long>(kPacketSize)) : 0);
  SendRepeated(CommandPacket(CommandAction::Stop), kCommandRepeats);
  Drain(progress);
  const DevicePacket load = ControlPacket(ControlType::Load);
  LinkSendPacket(load.data());
  progress.Sleep(kLoadPause);

  DevicePacket packet;
  while (std::fread(packet.data(), 1, kPacketSize, file.get()) == kPacketSize) {
    LinkSendPacket(packet.data());
    progress.PacketDone();
  }
  Drain(progress);
  return 0;
}

int ReceiveImageFile(const std::filesystem::path& readBack, const TransferProgressFn& progressFn) {
  Progress progress(progressFn, TransferPhase::PlayingBack);
  Drain(progress);
  ReceiveCode result = kReadBackNotCreated;
  if (const StdioFile file = OpenStdioFile(readBack, "w+b")) {
    SendRepeated(CommandPacket(CommandAction::PlayBack), kCommandRepeats);
    result = RecordCycle(file.get(), progress);
  }
  Drain(progress);
  return result;
}

int CompareImageFiles(const std::filesystem::path& a, const std::filesystem::path& b) {
  const StdioFile fileA = OpenStdioFile(a, "rb");
  if (!fileA) return 1;
  const StdioFile fileB = OpenStdioFile(b, "rb");
  if (!fileB) return 2;
  const long size = StdioFileSize(fileA.get());
  if (size != StdioFileSize(fileB.get())) return 3;
  if (size > kLargestComparedFile) return 4;
  const auto length = static_cast<std::size_t>(std::max(size, 0L));
  const auto bufferA = TryAllocate(length + kCompareBufferSlack);
  if (!bufferA) return 5;
  const auto bufferB = TryAllocate(length + kCompareBufferSlack);
  if (!bufferB) return 6;
  const std::size_t gotA = std::fread(bufferA.get(), 1, length, fileA.get());
  const std::size_t gotB = std::fread(bufferB.get(), 1, length, fileB.get());
  if (gotA != length || gotB != length) return 7;
  return std::memcmp(bufferA.get(), bufferB.get(), length) == 0 ? 0 : 7;
}

int TransferImage(const std::filesystem::path& image, const std::filesystem::path& readBack,
                  const TransferProgressFn& progress) {
  int result = SendImageFile(image, progress);
  if (!LinkIsConnected()) result = kLinkDown;
  if (result == 0) {
    const int received = ReceiveImageFile(readBack, progress);
    result = received == kReadBackNotCreated ? kReadBackFileCode
             : received == kReadBackTimedOut ? kReadBackTimeOutCode
                                             : 0;
    if (!LinkIsConnected()) result = kLinkDown;
  }
  if (result != 0) return result;
  Progress(progress, TransferPhase::Verifying).Report();
  const int compared = CompareImageFiles(image, readBack);
  return compared == 0 ? 0 : compared + kCompareCodeOffset;
}

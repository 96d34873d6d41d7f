#include "config/Pacing.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <limits>

namespace {

constexpr int64_t kSlotsPerPacket = 188;    // the slots that carry a packet's own bytes
constexpr int64_t kGapsInsidePacket = 187;  // Byte mode idles after each of the first 187 bytes
constexpr int64_t kMaxByteGap = 255;

// Which entries of the 10-packet cycle carry one extra slot, for r = 0..9 extra tenths.
constexpr std::array<std::array<bool, kPacingCycle>, 10> kExtraSlot = [] {
  constexpr int lists[10][10] = {
      {-1},
      {1, -1},
      {4, 9, -1},
      {2, 6, 9, -1},
      {1, 3, 5, 7, -1},
      {0, 2, 4, 6, 8, -1},
      {0, 2, 3, 5, 7, 8, -1},
      {0, 1, 3, 4, 6, 7, 9, -1},
      {0, 1, 2, 3, 4, 6, 7, 9, -1},
      {0, 1, 2, 3, 4, 6, 7, 8, 9, -1},
  };
  std::array<std::array<bool, kPacingCycle>, 10> table{};
  for (int r = 0; r < 10; ++r)
    for (int i = 0; lists[r][i] >= 0; ++i) table[r][lists[r][i]] = true;
  return table;
}();

struct WidePacing {  // the pacing before it is cut to the record's 16-bit fields
  int64_t base;      // idle slots after a packet without the extra slot
  int64_t byteGap;
  int r;
};

WidePacing WideFromRate(int32_t rate, bool byteMode) {
  // Rate 0 has no pacing; the callers refuse it before, this only keeps the division defined.
  const int64_t t = rate == 0 ? 0 : kTenthSlotsPerPacketTimesRate / rate;
  const int64_t c = t / 10;
  WidePacing w{};
  w.r = static_cast<int>(t - 10 * c);
  int64_t d = byteMode ? (c - kSlotsPerPacket) / kSlotsPerPacket : 0;
  if (static_cast<uint16_t>(d) > kMaxByteGap) d = kMaxByteGap;  // the 16-bit value read unsigned
  else d = static_cast<int16_t>(d);
  w.byteGap = d;
  w.base = static_cast<int32_t>(c - kSlotsPerPacket - kGapsInsidePacket * d);
  return w;
}

int32_t ToInt32(int64_t value) { return static_cast<int32_t>(value); }

int64_t SlotsOfCycle(const Pacing& pacing) {
  int64_t s = 0;
  for (uint16_t gap : pacing.PacketGap) s += gap;
  return s + 10 * kGapsInsidePacket * pacing.ByteGap + 10 * kSlotsPerPacket;
}

bool WideFits(const WidePacing& w) {
  const int64_t extra = w.r > 0 ? 1 : 0;
  return w.base >= 0 && w.base + extra <= std::numeric_limits<uint16_t>::max() && w.byteGap >= 0;
}

}  // namespace

int64_t LeadingDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (std::numeric_limits<int64_t>::max() - 9) / 10) return negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

Pacing ComputePacing(std::string_view rateText, bool byteMode) {
  const WidePacing w = WideFromRate(ToInt32(LeadingDecimal(rateText)), byteMode);
  Pacing p;
  p.ByteGap = static_cast<int16_t>(w.byteGap);
  // A negative rate leaves a remainder below 0, for which no entry of the cycle takes an extra slot.
  const bool extraSlots = w.r > 0;
  for (int i = 0; i < kPacingCycle; ++i)
    p.PacketGap[i] = static_cast<uint16_t>(w.base + (extraSlots && kExtraSlot[w.r][i] ? 1 : 0));
  return p;
}

int32_t EffectiveBitRate(int32_t rate) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", rate);
  const int64_t slots = SlotsOfCycle(ComputePacing(text, true));
  return slots == 0 ? 0 : ToInt32(kTenthSlotsPerPacketTimesRate / slots);
}

int64_t BitRateFromPacing(const Pacing& pacing) {
  const int64_t slots = SlotsOfCycle(pacing);
  return slots == 0 ? 0 : kTenthSlotsPerPacketTimesRate / slots;
}

bool BitRateAccepted(int64_t rate, bool byteMode) {
  if (rate <= 0 || rate > kHighestBitRate) return false;
  // The field is left showing the effective rate, and the pacing is computed again from that.
  const int32_t r = ToInt32(rate);
  if (!WideFits(WideFromRate(r, true))) return false;
  const int32_t effective = EffectiveBitRate(r);
  return effective > 0 && WideFits(WideFromRate(effective, byteMode));
}

BitRateRange AcceptedBitRateRange(bool byteMode) {
  // Fitting grows with the rate up to the top, so the lowest accepted rate is found by bisection.
  int64_t rejected = 0, accepted = kHighestBitRate;
  while (accepted - rejected > 1) {
    const int64_t mid = (rejected + accepted) / 2;
    (BitRateAccepted(mid, byteMode) ? accepted : rejected) = mid;
  }
  return {accepted, kHighestBitRate};
}

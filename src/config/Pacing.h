#pragma once
// Output pacing: the ASI line carries 27,000,000 byte slots a second; a rate is turned into idle
// slots after each packet (a cycle of 10) and, in Byte mode, between the bytes of a packet.

#include <cstdint>
#include <string_view>

#include "config/MuxConfig.h"

// 27,000,000 slots/s x 1504 bits/packet x 10: divided by a rate, the slots of one packet in tenths.
inline constexpr int64_t kTenthSlotsPerPacketTimesRate = 406'080'000'000;
inline constexpr int64_t kHighestBitRate = 216'000'000;  // 188 slots a packet: no idle slot left

// Pacing for the decimal rate at the start of `rateText` (atol rules), truncating toward zero.
Pacing ComputePacing(std::string_view rateText, bool byteMode);

// The rate the pacing computed for `rate` (in Byte mode) really produces.
int32_t EffectiveBitRate(int32_t rate);

// The rate a stored pacing produces.
int64_t BitRateFromPacing(const Pacing& pacing);

// The rates whose pacing fits the device's 16-bit gaps in a mode, inclusive.
struct BitRateRange {
  int64_t lowest;
  int64_t highest;
};
BitRateRange AcceptedBitRateRange(bool byteMode);
bool BitRateAccepted(int64_t rate, bool byteMode);

// The leading decimal number of a text, as atol reads it (sign, digits, stop at the first other
// character, 0 when there is none). Saturates instead of overflowing.
int64_t LeadingDecimal(std::string_view text);

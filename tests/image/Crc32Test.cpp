#include <gtest/gtest.h>

#include <random>
#include <string_view>
#include <vector>

#include "image/Crc32.h"
#include "image/DevicePacket.h"

namespace {

// The bitwise definition: shift each data bit, most significant first, through the register.
uint32_t BitwiseCrc(std::span<const uint8_t> bytes) {
  uint32_t reg = 0xFFFFFFFFu;
  for (uint8_t byte : bytes)
    for (int bit = 7; bit >= 0; --bit) {
      const bool out = (reg >> 31) != 0;
      const bool in = ((byte >> bit) & 1) != 0;
      reg <<= 1;
      if (out != in) reg ^= 0x04C11DB7u;
    }
  return reg;
}

TEST(Crc32, MatchesTheBitwiseDefinitionOnAnyData) {
  std::mt19937 random(7710);
  for (std::size_t length : {0u, 1u, 3u, 17u, 183u, 1021u, 3016u}) {
    std::vector<uint8_t> data(length);
    for (uint8_t& b : data) b = static_cast<uint8_t>(random());
    EXPECT_EQ(Crc32Mpeg2(data), BitwiseCrc(data)) << "length " << length;
  }
}

TEST(Crc32, GivesTheCatalogueCheckValue) {
  constexpr std::string_view kCheck = "123456789";
  EXPECT_EQ(Crc32Mpeg2({reinterpret_cast<const uint8_t*>(kCheck.data()), kCheck.size()}), 0x0376E6E7u);
}

TEST(Crc32, SetSectionCrcStoresItAfterTheSectionSoTheWholeSectionChecksToZero) {
  DevicePacket packet;
  packet.fill(0xFF);
  // A section of length 9 at offset 5: header, five body bytes, four CRC bytes.
  const uint8_t section[] = {0x00, 0xB0, 0x09, 0x12, 0x34, 0xC1, 0x00, 0x00};
  std::copy(std::begin(section), std::end(section), packet.begin() + 5);
  SetSectionCrc(packet);
  const std::span<const uint8_t> whole(packet.data() + 5, 3 + 9);
  EXPECT_EQ(Crc32Mpeg2(whole), 0u);
  EXPECT_EQ(Crc32Mpeg2(whole.first(8)), BitwiseCrc(whole.first(8)));
  EXPECT_EQ(packet[17], 0xFF) << "nothing after the CRC is touched";
}

}  // namespace

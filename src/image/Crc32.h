#pragma once
// The MPEG-2 CRC-32 that ends every PSI/SI section: polynomial 0x04C11DB7, register preset to all
// ones, most significant bit first, no reflection, no final inversion.

#include <cstdint>
#include <span>

uint32_t Crc32Mpeg2(std::span<const uint8_t> bytes);

// Computes the CRC of the section that starts at kSectionOffset of `buffer` (a packet, or the SDT's
// contiguous buffer), using the section_length stored there, and stores it after the section body.
void SetSectionCrc(std::span<uint8_t> buffer);

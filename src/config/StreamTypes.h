#pragma once
// The one table of stream type codes: the editor's combo texts, the stream_type the PMT announces,
// and the stream_type values a played-back PMT is read back from.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class StreamKind { Video, Audio, Data };

struct StreamTypeCode {
  StreamKind kind;
  int16_t code;                 // value stored in the record's Type field
  std::string_view comboText;   // empty for data streams, which have no combo
  uint8_t written;              // stream_type the PMT carries
  std::array<uint8_t, 2> read;  // stream_type values read back as this code (0 = unused)
};

inline constexpr std::array<StreamTypeCode, 10> kStreamTypeCodes{{
    {StreamKind::Video, 0, "MPEG2", 0x02, {0x01, 0x02}},
    {StreamKind::Video, 1, "H.264", 0x1B, {0x1B, 0}},
    {StreamKind::Video, 2, "MPEG4", 0x1A, {0x1A, 0}},
    {StreamKind::Audio, 0, "MPEG1", 0x03, {0x03, 0}},
    {StreamKind::Audio, 1, "MPEG2", 0x04, {0x04, 0}},
    {StreamKind::Audio, 2, "HEAAC", 0x11, {0x11, 0}},
    {StreamKind::Audio, 3, "AAC", 0x0F, {0x0F, 0}},
    {StreamKind::Audio, 4, "AC3", 0x81, {0x81, 0}},
    {StreamKind::Data, 0, "", 0x06, {0x06, 0}},
    {StreamKind::Data, 1, "", 0x82, {0x82, 0}},
}};

inline constexpr uint8_t kAc3StreamType = 0x81;
inline constexpr uint8_t kPrivateDataStreamType = 0x06;
inline constexpr uint8_t kPrivateSectionsStreamType = 0x82;

// stream_type written for a stored code; a code outside the table falls back to the kind's default
// (video 0x02, audio 0x04, data 0x06).
constexpr uint8_t StreamTypeFor(StreamKind kind, int16_t code) {
  for (const auto& entry : kStreamTypeCodes)
    if (entry.kind == kind && entry.code == code) return entry.written;
  switch (kind) {
    case StreamKind::Video: return 0x02;
    case StreamKind::Audio: return 0x04;
    case StreamKind::Data: break;
  }
  return 0x06;
}

struct ClassifiedStream {
  StreamKind kind;
  int16_t code;
};

// Which kind of stream a played-back stream_type is, and the code it is stored as.
constexpr std::optional<ClassifiedStream> ClassifyStreamType(uint8_t streamType) {
  for (const auto& entry : kStreamTypeCodes)
    for (uint8_t value : entry.read)
      if (value != 0 && value == streamType) return ClassifiedStream{entry.kind, entry.code};
  return std::nullopt;
}

#pragma once
// The subtitle dialog's lists and what it stores, as plain functions over a data stream.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/MuxConfig.h"
#include "editors/LanguageTable.h"

inline constexpr int kSubtitleTypeItemCount = 13;

inline constexpr std::array<std::string_view, kSubtitleTypeItemCount> kSubtitleTypeItems{{
    "0x01 EBU Teletext subtitles",
    "0x02 associated EBU Teletext",
    "0x03 VBI data",
    "0x10 DVB subtitles (normal) with no monitor aspect ratio criticatilty",
    "0x11 DVB subtitles (normal) for display on 4:3 aspect ratio monitor",
    "0x12 DVB subtitles (normal) for display on 16:9 aspect ratio monitor",
    "0x13 DVB subtitles (normal) for display on 2.21:1 aspect ratio monitor",
    "0x20 DVB subtitles (for the hard of hearing) with no monitor aspect ratio criticatilty",
    "0x21 DVB subtitles (for the hard of hearing) for display on 4:3 aspect ratio monitor",
    "0x22 DVB subtitles (for the hard of hearing) for display on 16:9 aspect ratio monitor",
    "0x23 DVB subtitles (for the hard of hearing) for display on 2.21:1 aspect ratio monitor",
    "",
    "",
}};

inline constexpr int kInitialLanguageRow = 362;     // "por Portuguese"
inline constexpr int kInitialSubtitleTypeRow = 3;   // "0x10 DVB subtitles (normal) ..."
inline constexpr int kLanguageOnlyDataType = 1;     // rdg_DataType item of a stream with a language only

// The first language item whose first three characters equal the stored code; 0 when none does.
int FindLanguageRow(std::string_view code);

// The first subtitling-type item whose first four characters equal the text; 0 when none does.
int FindSubtitleTypeRow(std::string_view text);

// A stored subtitling type as the type list spells it ("0x%2.2X").
std::string SubtitleTypeText(int32_t subtitlingType);

// A combo's text up to its first blank: what the dialog's two display labels show.
std::string_view TextUpToFirstBlank(std::string_view text);

// The dialog's state when it closes (by Ok, Cancel or its close box alike).
struct SubtitleChoice {
  bool enabled = false;
  int dataType = 0;           // selected item of rdg_DataType
  std::string languageLabel;  // lbl_Language, Windows-1252 bytes
  std::string subtitleLabel;  // lbl_Subtitle
};

// Stores the closing state into the data stream. Unticked clears only SubtitleEnabled; a subtitle
// label with no hexadecimal number keeps the stored subtitling type.
void StoreSubtitleChoice(DataStream& stream, const SubtitleChoice& choice);

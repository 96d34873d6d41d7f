#pragma once
// The program editor's table: its columns, and the texts of the row that shows one program slot.

#include <array>
#include <string>
#include <string_view>

#include "config/MuxConfig.h"
#include "editors/PidText.h"

enum class CellAlignment { Left, Centre };

struct TableColumn {
  std::string_view caption;  // UTF-8
  int width;
  CellAlignment alignment;
};

inline constexpr int kProgramTableColumns = 14;  // the row caption and 13 sub-items

inline constexpr std::array<TableColumn, kProgramTableColumns> kProgramColumns{{
    {"Nº", 40, CellAlignment::Left},
    {"PROVIDER", 100, CellAlignment::Centre},
    {"SERVICE", 100, CellAlignment::Centre},
    {"IN", 40, CellAlignment::Centre},
    {"SERVICE ID", 70, CellAlignment::Centre},
    {"PMT", 65, CellAlignment::Centre},
    {"VIDEO", 65, CellAlignment::Centre},
    {"PCR", 65, CellAlignment::Centre},
    {"AUDIO1", 65, CellAlignment::Centre},
    {"AUDIO2", 65, CellAlignment::Centre},
    {"AUDIO3", 65, CellAlignment::Left},
    {"AUDIO4", 65, CellAlignment::Left},
    {"DATA1", 65, CellAlignment::Centre},
    {"DATA2", 65, CellAlignment::Centre},
}};

// UTF-8 texts of the row of program `slot`: the caption (slot + 1) and the 13 sub-items in column
// order. Numeric columns follow the radix in force when the row is built.
std::array<std::string, kProgramTableColumns> ProgramRowTexts(const MuxConfig& cfg, int slot, PidRadix radix);

#pragma once
// The ghost editor's working copy (the rows of its list) and the rules over it, without a window.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/MuxConfig.h"
#include "editors/PidText.h"

inline constexpr std::string_view kEnterGhostPids = "Enter PID IN and PID OUT, please.";
inline constexpr std::string_view kGhostItemsExist = "Items already exist in list!";
inline constexpr std::string_view kGhostTableFull = "Limited 352 Ghost Pids.";

// One row of the ghost list, as its three cells show it.
struct GhostRow {
  std::string input;   // "1".."4"
  std::string pidIn;   // "%4d" or "%4.4X"
  std::string pidOut;
};

// True when a row shows exactly these three texts.
bool GhostEntryExists(std::span<const GhostRow> rows, std::string_view input, std::string_view pidIn,
                      std::string_view pidOut);

// What a typed character does in a ghost PID field: the radix's characters are typed; every other
// key (Enter included) is discarded and adds the entry.
enum class GhostKeyAction { Type, Add };
GhostKeyAction GhostKeyFilter(char32_t key, PidRadix radix);

// A ghost PID text read in the radix: leading blanks skipped, digits of the radix up to the first
// other character. nullopt when no digit leads (".", ",", or nothing but blanks).
std::optional<int64_t> ReadGhostPid(std::string_view text, PidRadix radix);

// The cell text of a ghost PID: "%4d" or "%4.4X".
std::string GhostPidText(int64_t value, PidRadix radix);

// The rows of the stored table, in decimal.
std::vector<GhostRow> GhostRowsOf(const GhostPidTable& table);

// The working copy as a table, for the PID count of an input and for storing on Exit. Values are
// read in the list's radix and kept as 16-bit numbers; at most 352 rows fit.
GhostPidTable GhostTableOf(std::span<const GhostRow> rows, PidRadix radix);

// Stores the working copy into the record: the count and the first rows; later entries are kept.
void StoreGhostRows(GhostPidTable& table, std::span<const GhostRow> rows, PidRadix radix);

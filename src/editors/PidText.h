#pragma once
// PIDs as the editors type, read and show them, in the radix chosen in the editor's " PID Edit " group.
// The record holds numbers only; the radix lives in the form and is never stored.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class PidRadix { Decimal, Hexadecimal };

// Lowest PIDs the commit stores (below is stored as no PID, as is anything above 8191). They lie
// under the exit check's 32 on purpose: 30 and 31, or 0x18 to 0x1F, are stored after a warning.
inline constexpr int kLowestStoredPidDecimal = 30;
inline constexpr int kLowestStoredPidHex = 0x18;
// The range the exit check of a PID field accepts without a warning.
inline constexpr int kLowestPidWithoutWarning = 32;
inline constexpr int kHighestPidWithoutWarning = 8190;

// The text without the blanks (space, tab, line ends) that sscanf skips before a number.
std::string_view SkipLeadingBlanks(std::string_view text);

// The digits of the radix at the very start of a text, as a number; nullopt when the text does not
// start with one. Saturates far beyond 32 bits instead of overflowing.
std::optional<int64_t> LeadingDigits(std::string_view text, PidRadix radix);

// The leading number of a text as sscanf's "%d" or "%x" reads it: blanks skipped, an optional sign,
// in hexadecimal an optional "0x" prefix, then digits of the radix. nullopt when there is no digit.
std::optional<int64_t> LeadingNumber(std::string_view text, PidRadix radix);

// A number taken as a signed 16-bit value (the low 16 bits), as the record's PID fields hold it.
int16_t AsInt16(int64_t value);

// The PID a commit stores for a field's text: no PID (8191) when the text is empty, holds no number
// or lies outside the radix's stored range.
int16_t PidFromText(std::string_view text, PidRadix radix);

// The exit check of a PID field: true when the trimmed text is not empty and its value lies outside
// 32..8190 (a text with no number counts as outside).
bool PidTextNeedsRangeWarning(std::string_view text, PidRadix radix);

// Characters the PID fields let through: digits, "." and "," and backspace; hexadecimal adds A-F, a-f.
bool PidKeyAccepted(char32_t key, PidRadix radix);

inline constexpr char32_t kBackspaceKey = 8;
inline constexpr char32_t kEnterKey = 13;

// A PID or service id as a table cell: "%4d" (blank padded) or "%4.4X" (zero padded, 16 bits).
std::string PidCellText(int value, PidRadix radix);

// A PID as an entry field shows it: "%d" (no padding) or "%4.4X".
std::string PidFieldText(int16_t pid, PidRadix radix);

// "8191" and "1FFF" (no PID, in either spelling) become an empty text; anything else is kept.
std::string BlankNullPid(std::string text);

#include "editors/GhostRules.h"

#include <algorithm>

#include "config/Pacing.h"

namespace {

int16_t RowPid(const std::string& text, PidRadix radix) { return AsInt16(ReadGhostPid(text, radix).value_or(0)); }

}  // namespace

bool GhostEntryExists(std::span<const GhostRow> rows, std::string_view input, std::string_view pidIn,
                      std::string_view pidOut) {
  return std::any_of(rows.begin(), rows.end(), [&](const GhostRow& row) {
    return row.input == input && row.pidIn == pidIn && row.pidOut == pidOut;
  });
}

GhostKeyAction GhostKeyFilter(char32_t key, PidRadix radix) {
  return PidKeyAccepted(key, radix) ? GhostKeyAction::Type : GhostKeyAction::Add;
}

std::optional<int64_t> ReadGhostPid(std::string_view text, PidRadix radix) {
  return LeadingDigits(SkipLeadingBlanks(text), radix);
}

std::string GhostPidText(int64_t value, PidRadix radix) { return PidCellText(static_cast<int>(value), radix); }

std::vector<GhostRow> GhostRowsOf(const GhostPidTable& table) {
  std::vector<GhostRow> rows;
  const int count = std::clamp<int>(table.Count, 0, kMaxGhostEntries);
  for (int i = 0; i < count; ++i)
    rows.push_back({std::to_string(table.Input[i]), PidCellText(table.PidIn[i], PidRadix::Decimal),
                    PidCellText(table.PidOut[i], PidRadix::Decimal)});
  return rows;
}

GhostPidTable GhostTableOf(std::span<const GhostRow> rows, PidRadix radix) {
  GhostPidTable table{};
  StoreGhostRows(table, rows, radix);
  return table;
}

void StoreGhostRows(GhostPidTable& table, std::span<const GhostRow> rows, PidRadix radix) {
  const std::size_t n = std::min<std::size_t>(rows.size(), kMaxGhostEntries);
  table.Count = static_cast<int16_t>(n);
  for (std::size_t i = 0; i < n; ++i) {
    table.Input[i] = static_cast<int16_t>(LeadingDecimal(rows[i].input));
    table.PidIn[i] = RowPid(rows[i].pidIn, radix);
    table.PidOut[i] = RowPid(rows[i].pidOut, radix);
  }
}

#pragma once
// What the program editor's Ok decides, as plain functions over the entry texts and the record:
// which slot a commit writes, the checks in their order with their messages, and the record writes.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

#include "config/MuxConfig.h"
#include "editors/EditorMessages.h"
#include "editors/PidText.h"

inline constexpr std::string_view kFillPmtAndPcr = "Fill PMT and PCR fields, please.";
inline constexpr std::string_view kServiceIdRange = "Service ID must be between 0 and 65535.";
inline constexpr std::string_view kServiceIdInList = "Service ID number is in the list, change it please.";
inline constexpr std::string_view kFillOneStream = "Fill at least one field. Audio or Data (IN and OUT), please.";
inline constexpr std::string_view kFillOneAudio = "Fill at least one Audio field, please.";
inline constexpr std::string_view kFillOneAudioPair = "Fill at least one Audio field (IN and OUT), please.";
inline constexpr std::string_view kLimitedPrograms = "Limited 100 Programs.";
inline constexpr std::string_view kReplaceProgramQuestion = "This program is in the list, Do you wish change it?";
inline constexpr std::string_view kPmtIncorrect = "Value PID PMT is incorrect!";

inline constexpr int kHighestServiceId = 65535;
inline constexpr int kAudioStreams = 4;
inline constexpr int kDataStreams = 2;

struct StreamPidTexts {
  std::string in;
  std::string out;
};

// The texts of the editor's PID and service id fields.
struct ProgramEntryTexts {
  std::string serviceId;
  std::string pmt;
  StreamPidTexts pcr;
  StreamPidTexts video;
  std::array<StreamPidTexts, kAudioStreams> audio;
  std::array<StreamPidTexts, kDataStreams> data;
};

// Everything else the editor shows for the program being entered.
struct ProgramEntryChoices {
  std::string name;         // cb_NameProg's text, Windows-1252 bytes
  std::string networkName;  // the main window's network name, Windows-1252 bytes
  int16_t input = 1;        // the number in cb_InAsi's text
  int16_t videoType = 0;    // selected item of the type combos, -1 when none
  std::array<int16_t, kAudioStreams> audioTypes{};
  bool present = false;
  bool schedule = false;
  bool generatePmt = true;
  bool pcrAdjust = true;
};

// The table's rows are the record's programs, row r for slot r.
struct ProgramTableState {
  int rowCount = 0;
  int selectedRow = -1;  // -1 when no row is selected
};

struct ProgramSlot {
  int16_t slot = 0;
  int16_t count = 0;   // ProgramCount after the commit
  bool found = false;  // the name belongs to a program already in the table
};

// The slot a commit writes: the selected row, else the next free slot; a stored program whose
// trimmed name equals the trimmed name (exactly) takes precedence.
ProgramSlot FindProgramSlot(const MuxConfig& cfg, ProgramTableState table, std::string_view name);

// The service id is always typed and read in decimal: true when the text holds no decimal number
// or one outside 0..65535. An empty text is not out of range.
bool ServiceIdOutOfRange(std::string_view text);

// With no row selected: true when a program of the table already has the text's service id.
bool ServiceIdInList(const MuxConfig& cfg, ProgramTableState table, std::string_view serviceIdText);

enum class CommitIcon { Warning, Stop };

struct CommitRefusal {
  std::string_view message;
  CommitIcon icon = CommitIcon::Warning;
};

struct CommitDeclined {};  // the question about replacing a program was answered No

struct ProgramToWrite {
  ProgramSlot target;
  ProgramEntryTexts texts;
  ProgramEntryChoices choices;
  PidRadix radix = PidRadix::Decimal;
};

using CommitDecision = std::variant<CommitRefusal, CommitDeclined, ProgramToWrite>;

// The commit's checks in order; the first that fails decides. `confirmReplace` asks the question
// when the name belongs to a stored program and returns true on Yes.
CommitDecision DecideCommit(const MuxConfig& cfg, ProgramTableState table, const ProgramEntryTexts& texts,
                            const ProgramEntryChoices& choices, PidRadix radix,
                            const std::function<bool()>& confirmReplace);

// Writes the program into its slot and sets ProgramCount. Subtitle fields, data types, parser
// flags and TransportStreamId are left as they are.
void WriteProgram(MuxConfig& cfg, const ProgramToWrite& program);

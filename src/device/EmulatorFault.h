#pragma once
// Ways the emulated device can misbehave, so tests can check what the tool makes of each.

#include <optional>
#include <string>
#include <string_view>

enum class EmulatorFault {
  None,
  Silent,            // never plays anything back (loads are still stored)
  CorruptPlayback,   // one byte of one packet differs in every play-back cycle
  NoiseBeforeCycle,  // a few bytes that are no sync byte precede every cycle
  DoubledHeader,     // every cycle starts with its header packet twice
  HangUpAfterLoad,   // the line drops as soon as a load is complete
  LinkLostMidLoad,   // the line drops once half of an announced image has arrived
};

// The names the command line uses: none, silent, corrupt, noise, double-header, hangup, link-lost.
std::optional<EmulatorFault> EmulatorFaultFromName(std::string_view name);
std::string_view EmulatorFaultName(EmulatorFault fault);
// "none|silent|..." for usage texts.
std::string EmulatorFaultNameList();

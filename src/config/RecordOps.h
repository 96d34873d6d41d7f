#pragma once
// Operations on the record that the editors, the main window and the image parser share.

#include "config/MuxConfig.h"

// Removes program `index` from the four per-program arrays, moving later programs down, and lowers
// ProgramCount by one. Block A is rebuilt from zeros, so reserved bytes and freed slots end up zero.
void RemoveProgram(MuxConfig& cfg, int16_t index, int16_t count);

// Output PIDs (video, audio, data; not PMT or PCR) that programs and ghost entries already place on
// an ASI input. The ghost editor passes its working table in place of the record's.
int OutputPidsOnInput(const MuxConfig& cfg, const GhostPidTable& ghosts, int16_t input);

// True when the input already carries 44 or more output PIDs; the PIDs about to be added do not count.
bool InputPidLimitReached(const MuxConfig& cfg, int16_t input);
bool InputPidLimitReached(const MuxConfig& cfg, const GhostPidTable& ghosts, int16_t input);

// Puts slots 0..n-1 into the empty state before a played-back image is parsed into them; types,
// flags, service ids and subtitle fields keep their values.
void ResetProgramSlots(MuxConfig& cfg, int n);

#pragma once
// What a configuration needs of the image's fixed lists: 44 map entries per input, 32 programs in
// the PCR-adjust list, 54 programs with a PCR.

#include <optional>
#include <string>

#include "config/MuxConfig.h"

// The warning to show when something does not fit (it names the input or list and the count);
// nullopt when the whole configuration fits.
std::optional<std::string> ImageCapacityProblem(const MuxConfig& cfg);

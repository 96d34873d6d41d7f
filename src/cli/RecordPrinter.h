#pragma once
// The record as `qrmux show` prints it: for people, or as JSON for scripts.

#include <ostream>

#include "config/MuxConfig.h"

void PrintRecordText(std::ostream& out, const MuxConfig& cfg);
void PrintRecordJson(std::ostream& out, const MuxConfig& cfg);

#pragma once
// The process-wide record and PAT version that the window, its dialogs, Send and Get edit in
// place, always on the user-interface thread. Everything below the window takes them as arguments.

#include "config/MuxConfig.h"

MuxConfig& SharedMuxConfig();

// The PAT version, 0..31: Send advances it before each build, Get sets it from the device's PAT.
int& SharedPsiVersion();

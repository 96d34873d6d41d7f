#pragma once
// Send's and Get's steps below the window, shared by the window and qrmux.

#include <optional>
#include <string>

#include "config/AppPaths.h"
#include "config/MuxConfig.h"
#include "image/ImageParser.h"
#include "link/Utiltrp.h"

// The PAT version after `version`: 31 is followed by 0.
constexpr int NextPsiVersion(int version) { return (version + 1) & 0x1F; }

// Why this configuration must not be sent (empty, or more than the image's lists hold); nullopt
// when it may be sent. Checked before anything changes or goes on the link.
std::optional<std::string> SendRefusal(const MuxConfig& cfg);

// Writes the image to paths.imageToSend and runs the load-and-verify transfer; 1 when the image
// file cannot be created, otherwise the transfer's code.
int BuildImage(const MuxConfig& cfg, int psiVersion, const AppPaths& paths,
               const TransferProgressFn& progress = {});

struct GetOutcome {
  int receiveResult = 0;    // ReceiveImageFile's code; non-zero: "Mux memory is empty!", nothing changed
  bool fileRead = false;    // the read-back file could be opened
  ParsedImage parsed;       // what the parser found (programCount 0 when the file was not read)
};

// Plays the device's image back into paths.imageReadBack and parses it into `cfg`.
GetOutcome GetFromDevice(MuxConfig& cfg, int& psiVersion, const AppPaths& paths,
                         const TransferProgressFn& progress = {});

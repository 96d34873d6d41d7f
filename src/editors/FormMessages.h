#pragma once
// The editors' message boxes: the application's caption, texts kept as the forms' constants.

#include <string_view>

#include "editors/EditorMessages.h"
#include "ui/Dialogs.h"

inline constexpr std::string_view kPidRangeWarning = "Values allows (32 - 8190)";

// Shows the message with the given flags (ui::kMbExclamation, ui::kMbStop, ui::kMbYesNo).
int ShowFormMessage(std::string_view text, int flags = ui::kMbExclamation);

// Asks a Yes/No question; true only on Yes.
bool AskYes(std::string_view question);

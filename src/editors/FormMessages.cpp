#include "editors/FormMessages.h"

#include <QString>

int ShowFormMessage(std::string_view text, int flags) {
  return ui::MessageBox(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), ui::kAppCaption, flags);
}

bool AskYes(std::string_view question) { return ShowFormMessage(question, ui::kMbYesNo) == ui::kIdYes; }

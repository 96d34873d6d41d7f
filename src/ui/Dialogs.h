#pragma once
// Message boxes, modal dialogs and file choosers of the forms. Every one of them goes through one
// replaceable hook (DialogHook): the application shows real Qt dialogs, a test installs a scripted
// hook (tests/ui/support/ScriptedDialogs.h) that answers from a script and fails on surprises.

#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace ui {

// Message box flags: icon plus buttons, the values the forms pass.
inline constexpr int kMbStop = 16;         // stop icon, OK: errors
inline constexpr int kMbExclamation = 48;  // exclamation icon, OK: refusals and notices
inline constexpr int kMbYesNo = 52;        // exclamation icon, Yes and No: questions
inline constexpr int kMbInformation = 64;  // information icon, OK: success

// Answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// The caption of every window and message box of the application.
inline constexpr const char* kAppCaption = "QR7710-4 Multiplixer 4x1 - Corvane";

// What a file chooser offers: its title, one filter ("Multiplexer Files (*.MUX)") and the extension
// added to a name typed without one.
struct FileDialogSpec {
  QString title;
  QString filter;
  QString defaultSuffix;
};
enum class FileDialogKind { Open, Save };

class DialogHook {
 public:
  virtual ~DialogHook() = default;
  virtual int messageBox(const QString& text, const QString& caption, int flags) = 0;
  virtual void showMessage(const QString& text) = 0;
  virtual int showModal(QDialog& dialog) = 0;
  // The chosen path, or nullopt when the user cancelled.
  virtual std::optional<QString> chooseFile(FileDialogKind kind, const FileDialogSpec& request) = 0;
};

// Installs `hook` (nullptr: the real Qt dialogs) and returns the previous one.
DialogHook* SetDialogHook(DialogHook* hook);

// Shows a modal message box; returns kIdOk, kIdYes or kIdNo.
int MessageBox(const QString& text, const QString& caption, int flags);
// The simple message dialog: the text, the application's caption and an OK button.
void ShowMessage(const QString& text);
// Runs `dialog` modally (QDialog::exec) and returns its result code.
int ShowModal(QDialog& dialog);
std::optional<QString> ChooseFile(FileDialogKind kind, const FileDialogSpec& request);

}  // namespace ui

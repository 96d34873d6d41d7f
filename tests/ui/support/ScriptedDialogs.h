#pragma once
// Test side of the ui hook. A ScriptedDialogs object installs itself as the dialog hook for its
// lifetime and answers every message box, simple message, modal dialog and file chooser from a
// script given in advance, in order:
//
//   ui::testing::ScriptedDialogs dialogs;
//   dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdYes);
//   window.bt_Clear->click();
//   // the destructor fails the test if an expected dialog never appeared
//
// Any dialog that is not the next one expected fails the test (and is answered OK / No / cancel
// so the code under test can go on). expectModal runs test code inside the dialog's own modal
// loop: the dialog is really shown with exec(), the action runs once it is up and must close it.
//
// RunWhenModal is for modal windows that are not shown through the hook (a progress window): it
// polls QApplication::activeModalWidget() every 10 ms and runs the action on the first one.

#include <QString>
#include <QStringList>
#include <deque>
#include <ostream>
#include <functional>
#include <optional>
#include <vector>

#include "ui/Dialogs.h"

class QDialog;
class QWidget;

namespace ui::testing {

struct ShownMessage {
  QString text;
  QString caption;
  int flags;  // 0 for the simple message dialog
};

class ScriptedDialogs final : public DialogHook {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  // A message box with this text and flags (and caption, the application's by default).
  ScriptedDialogs& expectMessage(const QString& text, int flags, int answer = kIdOk,
                                 const QString& caption = kAppCaption);
  // The simple message dialog.
  ScriptedDialogs& expectSimpleMessage(const QString& text);
  // A modal dialog; `drive` runs inside its modal loop and must close it (accept, reject, a button).
  ScriptedDialogs& expectModal(std::function<void(QDialog&)> drive);
  // A file chooser; nullopt answers as a cancelled chooser.
  ScriptedDialogs& expectFileChoice(FileDialogKind kind, std::optional<QString> path);

  // Every message shown so far, expected or not.
  const std::vector<ShownMessage>& messages() const { return shown_; }
  bool allConsumed() const { return script_.empty(); }

  int messageBox(const QString& text, const QString& caption, int flags) override;
  void showMessage(const QString& text) override;
  int showModal(QDialog& dialog) override;
  std::optional<QString> chooseFile(FileDialogKind kind, const FileDialogSpec& request) override;

 private:
  enum class Kind { Message, SimpleMessage, Modal, File };
  struct Step {
    Kind kind;
    ShownMessage message;
    int answer = kIdOk;
    std::function<void(QDialog&)> drive;
    FileDialogKind fileKind = FileDialogKind::Open;
    std::optional<QString> path;
  };
  std::optional<Step> next(Kind kind, const QString& what);

  std::deque<Step> script_;
  std::vector<ShownMessage> shown_;
  DialogHook* previous_;
};

// Runs `action` on the first modal widget that appears within `timeoutMs` (polled every 10 ms from
// the event loop, so it works inside exec() and inside work that pumps events); fails the test
// when none appears. Call before the code that opens the modal window.
void RunWhenModal(std::function<void(QWidget&)> action, int timeoutMs = 5000);

}  // namespace ui::testing

// Test failures show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

#include "ui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace ui {
namespace {

QWidget* DialogParent() { return QApplication::activeWindow(); }

class QtDialogs final : public DialogHook {
 public:
  int messageBox(const QString& text, const QString& caption, int flags) override {
    QMessageBox box(DialogParent());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags) {
      case kMbStop:
        box.setIcon(QMessageBox::Critical);
        break;
      case kMbInformation:
        box.setIcon(QMessageBox::Information);
        break;
      default:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    if (flags == kMbYesNo) {
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      return box.exec() == QMessageBox::Yes ? kIdYes : kIdNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kIdOk;
  }

  void showMessage(const QString& text) override {
    QMessageBox box(DialogParent());
    box.setWindowTitle(kAppCaption);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
  }

  int showModal(QDialog& dialog) override { return dialog.exec(); }

  std::optional<QString> chooseFile(FileDialogKind kind, const FileDialogSpec& request) override {
    QFileDialog dialog(DialogParent(), request.title, QString(), request.filter);
    dialog.setAcceptMode(kind == FileDialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // neither dialog insists that the file exists
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
  }
};

QtDialogs& RealDialogs() {
  static QtDialogs dialogs;
  return dialogs;
}

DialogHook* g_hook = nullptr;

DialogHook& Hook() { return g_hook != nullptr ? *g_hook : RealDialogs(); }

}  // namespace

DialogHook* SetDialogHook(DialogHook* hook) {
  DialogHook* previous = g_hook;
  g_hook = hook;
  return previous;
}

int MessageBox(const QString& text, const QString& caption, int flags) {
  return Hook().messageBox(text, caption, flags);
}

void ShowMessage(const QString& text) { Hook().showMessage(text); }

int ShowModal(QDialog& dialog) { return Hook().showModal(dialog); }

std::optional<QString> ChooseFile(FileDialogKind kind, const FileDialogSpec& request) {
  return Hook().chooseFile(kind, request);
}

}  // namespace ui

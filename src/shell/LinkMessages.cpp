#include "shell/LinkMessages.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include "link/Ser350.h"
#include "ui/BusyDialog.h"
#include "ui/Dialogs.h"
#include "ui/NameText.h"

namespace {

constexpr int kRetryWhileBusyMs = 100;

void ShowLinkMessage(const QString& text) {
  // A box in the middle of a transfer would stall it: wait until the progress window has gone.
  if (qobject_cast<ui::BusyDialog*>(QApplication::activeModalWidget()) != nullptr) {
    QTimer::singleShot(kRetryWhileBusyMs, qApp, [text] { ShowLinkMessage(text); });
    return;
  }
  ui::MessageBox(text, kLinkCaption, ui::kMbStop);
}

}  // namespace

void InstallLinkMessageBoxes() {
  SetLinkMessageSink([](const std::string& bytes) {
    const QString text = ui::TextFromMessageBytes(bytes);
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    if (QThread::currentThread() == app->thread()) {
      ui::MessageBox(text, kLinkCaption, ui::kMbStop);
      return;
    }
    QMetaObject::invokeMethod(app, [text] { ShowLinkMessage(text); }, Qt::QueuedConnection);
  });
}

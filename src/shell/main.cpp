// qr7710-config: the configuration tool's window.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "config/AppPaths.h"
#include "link/Ser350.h"
#include "shell/LinkMessages.h"
#include "shell/QR7714_Conf.h"
#include "ui/Dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  try {
    const AppPaths paths = PathsOfRunningExecutable();
    SetLinkConfigDir(paths.configDir);
    InstallLinkMessageBoxes();
    Tfrm_CfgMux window(paths);
    window.show();
    window.activateWindow();  // without a window manager nothing else activates it
    app.exec();
    LinkClose();  // the reader thread must not outlive the process's static objects
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, ui::kAppCaption, QString::fromLocal8Bit(error.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, ui::kAppCaption, QString());
  }
  return 0;
}

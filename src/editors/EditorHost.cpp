#include "editors/EditorHost.h"

#include "editors/QR7714_Ghost.h"
#include "editors/QR7714_Prog.h"
#include "ui/Dialogs.h"

void OpenProgramEditor(QWidget* owner, const MainWindowAccess& mainWindow) {
  Tfrm_CfgProg editor(owner, mainWindow);
  ui::ShowModal(editor);
}

void OpenGhostEditor(QWidget* owner, const MainWindowAccess& mainWindow) {
  Tfrm_CfgGhost editor(owner, mainWindow);
  ui::ShowModal(editor);
}

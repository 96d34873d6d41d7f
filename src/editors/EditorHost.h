#pragma once
// What the program and ghost editors reach of the main window, and how the window opens them.
// Each opening creates a new dialog, shows it modally and destroys it when it closes.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

struct MainWindowAccess {
  std::function<QStringList()> programNames;  // the lines of lst_Prog, in order
  std::function<QString()> networkNameText;   // the text of txt_NetName
  std::function<void()> enableSend;           // enables bt_Send
  std::function<void()> enableSave;           // enables bt_Save
};

void OpenProgramEditor(QWidget* owner, const MainWindowAccess& mainWindow);  // bt_EditClick
void OpenGhostEditor(QWidget* owner, const MainWindowAccess& mainWindow);    // bt_GhostClick

#pragma once
// The ghost PID editor: the rows of its list are a working copy of the record's ghost table,
// stored by Exit; the close box discards them (a confirmed Clear has already emptied the table).

#include <vector>

#include "config/MuxConfig.h"
#include "editors/EditorHost.h"
#include "editors/GhostRules.h"
#include "ui/Pictures.h"
#include "ui/FormDialog.h"

class QGroupBox;
class QRadioButton;
namespace ui {
class Edit;
class ListCombo;
class PictureButton;
class ReportView;
}  // namespace ui

class Tfrm_CfgGhost : public ui::FormDialog {
  Q_OBJECT
 public:
  Tfrm_CfgGhost(QWidget* owner, MainWindowAccess mainWindow);

  ui::ListCombo* cb_InASI;
  QGroupBox* rdg_PidEdit;
  QRadioButton* rdg_PidEditDecimal;
  QRadioButton* rdg_PidEditHexa;
  ui::Edit* txt_PidInGhost;
  ui::Edit* txt_PidOutGhost;
  ui::PictureButton* bt_Add;
  ui::PictureButton* bt_Delete;
  ui::PictureButton* bt_Clear;
  ui::PictureButton* bt_Exit;
  ui::ReportView* lst_Ghost;

  PidRadix Radix() const;
  // The working copy: the list's rows as they show.
  std::vector<GhostRow> Rows() const;

  void FormShow() override;
  void txt_PidInGhostKeyPress(char16_t& key);
  void bt_AddClick();
  void bt_DeleteClick();
  void bt_ClearClick();
  void bt_ExitClick();
  void lst_GhostClick();

 private:
  QGroupBox* BuildGhostGroup();
  QGroupBox* BuildRadixGroup();
  void SetListEmptyState(bool empty);

  MainWindowAccess mainWindow_;
  MuxConfig& cfg_;
};

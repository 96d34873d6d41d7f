// The program list panel of the main window: the service names, typed here and configured in the
// program editor, and the buttons that work on them.
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

#include "config/Cp1252.h"
#include "config/RecordOps.h"
#include "config/SharedRecord.h"
#include "editors/EditorHost.h"
#include "shell/QR7714_Conf.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Fonts.h"
#include "ui/NameText.h"
#include "ui/PictureButton.h"

namespace {

constexpr int kPanelButtonWidth = 81;
constexpr int kPanelButtonHeight = 41;

QString ServiceName(const MuxConfig& cfg, int slot) {
  const ServiceEntry& service = cfg.A.Services[slot];
  return ui::TextFromCp1252Field(service.ServiceName, sizeof service.ServiceName);
}

// The name without leading and trailing blanks, trimmed as the record's names are.
QString Trimmed(const QString& name) {
  return ui::TextFromCp1252(std::string(TrimBlanks(ui::Cp1252FromText(name))));
}

}  // namespace

void Tfrm_CfgMux::BuildProgramPanel(QWidget* client) {
  grp_Program = new QGroupBox(" Programs ", client);
  grp_Program->setFont(ui::PanelCaptionFont());
  grp_Program->setGeometry(256, 60, 393, 365);
  QWidget* panel = grp_Program;
  const QFont form = ui::FormFont();

  lbl_NameProg = new QLabel("Name:", panel);
  lbl_NameProg->move(8, 40);
  txt_NameProg = new ui::Edit(panel);
  txt_NameProg->setGeometry(56, 32, 89, 23);
  txt_NameProg->setMaxLength(kNameBytes);
  txt_NameProg->setCp1252Only(true);
  txt_NameProg->setEnabled(false);
  txt_NameProg->OnKeyPress = [this](char16_t& key) { txt_NameProgKeyPress(key); };

  lbl_Programs = new QLabel("Programs:", panel);
  lbl_Programs->move(248, 48);
  lst_Prog = new QListWidget(panel);
  lst_Prog->setGeometry(248, 64, 137, 233);
  lst_Prog->setSelectionMode(QAbstractItemView::SingleSelection);
  // A click, or moving the selection with the keys, as the user does it.
  connect(lst_Prog, &QListWidget::itemClicked, this, [this] { lst_ProgClick(); });
  connect(lst_Prog, &QListWidget::currentRowChanged, this, [this] {
    if (lst_Prog->hasFocus()) lst_ProgClick();
  });

  for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->setFont(form);
  lbl_NameProg->adjustSize();
  lbl_Programs->adjustSize();

  const auto button = [panel](ui::Picture picture, const QString& caption, const QString& hint, int left,
                              int top, int width = kPanelButtonWidth, int height = kPanelButtonHeight) {
    auto* b = new ui::PictureButton(picture, caption, hint, panel);
    b->place(left, top, width, height);
    b->setEnabled(false);
    return b;
  };
  bt_Add = button(ui::Picture::Add, "Add", "Add new program in list", 160, 64);
  bt_Edit = button(ui::Picture::Edit, "Edit", "Configure Programs Pid", 160, 112);
  bt_Delete = button(ui::Picture::Delete, "Delete", "Delete Program selected", 160, 160);
  bt_Clear = button(ui::Picture::Clear, "Clear", "Delete all programs", 160, 208);
  bt_Ghost = button(ui::Picture::Ghost, "Ghost", "Configure ghost data", 160, 256);
  bt_Open = button(ui::Picture::Open, "Open", "Open file ", 24, 160);
  bt_Save = button(ui::Picture::Save, "Save", "Save in file", 24, 208);
  bt_Get = button(ui::Picture::Get, "Get", "Get data from Multiplexer", 24, 256);
  bt_Send = button(ui::Picture::Send, "Send Mux", "Send data to Mux", 72, 304, 109, 53);

  bt_Add->OnClick = [this] { bt_AddClick(); };
  bt_Edit->OnClick = [this] { bt_EditClick(); };
  bt_Delete->OnClick = [this] { bt_DeleteClick(); };
  bt_Clear->OnClick = [this] { bt_ClearClick(); };
  bt_Ghost->OnClick = [this] { bt_GhostClick(); };
  bt_Open->OnClick = [this] { bt_OpenClick(); };
  bt_Save->OnClick = [this] { bt_SaveClick(); };
  bt_Get->OnClick = [this] { bt_GetClick(); };
  bt_Send->OnClick = [this] { bt_SendClick(); };
}

int Tfrm_CfgMux::SelectedLine() const {
  const QList<QListWidgetItem*> selected = lst_Prog->selectedItems();
  return selected.isEmpty() ? -1 : lst_Prog->row(selected.front());
}

void Tfrm_CfgMux::DeselectList() {
  lst_Prog->clearSelection();
  lst_Prog->setCurrentRow(-1);
}

void Tfrm_CfgMux::SetListButtons(bool enabled) {
  for (QWidget* b : {bt_Edit, bt_Delete, bt_Clear}) b->setEnabled(enabled);
}

void Tfrm_CfgMux::FillListFromRecord() {
  const MuxConfig& cfg = SharedMuxConfig();
  lst_Prog->clear();
  for (int slot = 0; slot < cfg.A.ProgramCount; ++slot) lst_Prog->addItem(ServiceName(cfg, slot));
}

void Tfrm_CfgMux::bt_AddClick() {
  const QString name = txt_NameProg->text();
  if (Trimmed(name).isEmpty()) {
    ui::MessageBox("Enter name, please.", ui::kAppCaption, ui::kMbExclamation);
  } else {
    for (int line = 0; line < lst_Prog->count(); ++line) {
      if (lst_Prog->item(line)->text() != name) continue;
      if (ui::MessageBox("Name already exist. \n Do you replace them?", ui::kAppCaption, ui::kMbYesNo) ==
          ui::kIdYes)
        return;  // everything stays as it is
    }
    const int selected = SelectedLine();
    if (selected < 0) {
      lst_Prog->addItem(name);
    } else if (ui::MessageBox("Do you wish change Program Name?", ui::kAppCaption, ui::kMbYesNo) == ui::kIdYes) {
      const QString trimmed = Trimmed(name);
      lst_Prog->item(selected)->setText(trimmed);
      MuxConfig& cfg = SharedMuxConfig();
      // Lines from 100 on have no record slot: only the list changes.
      if (cfg.A.ProgramCount > 0 && selected < kMaxPrograms) {
        ServiceEntry& service = cfg.A.Services[selected];
        StoreName(service.ServiceName, kNameBytes, kNameBytes, ui::Cp1252FromText(trimmed));
      }
    } else {
      lst_Prog->addItem(name);
    }
    txt_NameProg->setText(QString());
  }
  if (lst_Prog->count() > 0) {
    SetListButtons(true);
    bt_Save->setEnabled(true);
  }
  DeselectList();
}

void Tfrm_CfgMux::txt_NameProgKeyPress(char16_t& key) {
  if (key != ui::kKeyEnter) return;
  key = 0;
  bt_AddClick();
}

void Tfrm_CfgMux::lst_ProgClick() {
  const int selected = SelectedLine();
  if (selected >= 0) txt_NameProg->setText(lst_Prog->item(selected)->text());
}

void Tfrm_CfgMux::bt_EditClick() { OpenProgramEditor(this, EditorAccess()); }

void Tfrm_CfgMux::bt_GhostClick() { OpenGhostEditor(this, EditorAccess()); }

void Tfrm_CfgMux::bt_DeleteClick() {
  const int position = SelectedLine();
  if (position < 0) {
    ui::MessageBox("Choose item, please.", ui::kAppCaption, ui::kMbExclamation);
  } else {
    MuxConfig& cfg = SharedMuxConfig();
    const QString name = lst_Prog->item(position)->text();
    bool named = false;
    for (int slot = 0; slot < cfg.A.ProgramCount && !named; ++slot) named = ServiceName(cfg, slot) == name;
    // Only a line that has a slot of its own removes a program; any other line just goes.
    if (named && position < cfg.A.ProgramCount)
      RemoveProgram(cfg, static_cast<int16_t>(position), cfg.A.ProgramCount);
    delete lst_Prog->takeItem(position);
    if (lst_Prog->count() == 0) {
      SetListButtons(false);
      if (cfg.A.ProgramCount < 1 && cfg.B.GhostTable.Count < 1) {
        bt_Save->setEnabled(false);
        bt_Send->setEnabled(false);
      }
    }
  }
  txt_NameProg->setText(QString());
}

void Tfrm_CfgMux::bt_ClearClick() {
  if (ui::MessageBox("Delete all items?", ui::kAppCaption, ui::kMbYesNo) != ui::kIdYes) return;
  lst_Prog->clear();
  MuxConfig& cfg = SharedMuxConfig();
  cfg.A.ProgramCount = 0;
  cfg.A.TransportStreamId = 0;
  SetListButtons(false);
  bt_Save->setEnabled(false);
  bt_Send->setEnabled(false);
}

#include "editors/QR7714_Ghost.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "config/Pacing.h"
#include "config/RecordOps.h"
#include "config/SharedRecord.h"
#include "editors/CommandButton.h"
#include "editors/FormMessages.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Fonts.h"
#include "ui/ListCombo.h"
#include "ui/PictureButton.h"
#include "ui/ReportView.h"

namespace {

constexpr int kPidChars = 4;
constexpr int kPidEditWidth = 50;
constexpr int kListHeight = 220;

constexpr std::array<ui::ReportColumn, 3> kGhostColumns{{
    {"IN", 25, Qt::AlignLeft},
    {"PID IN", 60, Qt::AlignHCenter},
    {"PID OUT", 60, Qt::AlignHCenter},
}};

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Tfrm_CfgGhost::Tfrm_CfgGhost(QWidget* owner, MainWindowAccess mainWindow)
    : ui::FormDialog(owner, ui::EscapeKey::Ignored), mainWindow_(std::move(mainWindow)), cfg_(SharedMuxConfig()) {
  setWindowTitle(ui::kAppCaption);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFont(ui::FormFont());

  lst_Ghost = new ui::ReportView;
  lst_Ghost->setObjectName(QStringLiteral("lst_Ghost"));
  lst_Ghost->setColumns(kGhostColumns);
  lst_Ghost->setGridLines(true);
  lst_Ghost->horizontalHeader()->setSectionsClickable(false);  // column clicks neither sort nor select
  int width = 0;
  for (const ui::ReportColumn& column : kGhostColumns) width += column.width;
  lst_Ghost->setFixedSize(width + lst_Ghost->frameWidth() * 2 + 20, kListHeight);
  lst_Ghost->OnClick = [this] { lst_GhostClick(); };
  // A click on the row already selected copies it again (OnClick follows selection changes only).
  connect(lst_Ghost, &QAbstractItemView::clicked, this, [this] { lst_GhostClick(); });

  bt_Add = NewCommandButton(ui::Picture::Add, "Add", "Insert item into Program list", "bt_Add");
  bt_Delete = NewCommandButton(ui::Picture::Delete, "Delete", "Delete item list", "bt_Delete");
  bt_Clear = NewCommandButton(ui::Picture::Clear, "Clear", "Delete all item list", "bt_Clear");
  bt_Exit = NewCommandButton(ui::Picture::Exit, "Exit ", "Exit ", "bt_Exit");
  bt_Add->OnClick = [this] { bt_AddClick(); };
  bt_Delete->OnClick = [this] { bt_DeleteClick(); };
  bt_Clear->OnClick = [this] { bt_ClearClick(); };
  bt_Exit->OnClick = [this] { bt_ExitClick(); };
  bt_Delete->setEnabled(false);
  bt_Clear->setEnabled(false);

  auto* buttons = new QVBoxLayout;
  for (ui::PictureButton* button : {bt_Add, bt_Delete, bt_Clear, bt_Exit}) buttons->addWidget(button);
  buttons->addStretch();

  auto* left = new QVBoxLayout;
  left->addWidget(BuildGhostGroup());
  left->addWidget(BuildRadixGroup());
  left->addStretch();

  auto* form = new QHBoxLayout(this);
  form->addLayout(left);
  form->addWidget(lst_Ghost);
  form->addLayout(buttons);
  form->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* Tfrm_CfgGhost::BuildGhostGroup() {
  auto* ghost = new QGroupBox(QStringLiteral("Ghost"));
  ghost->setObjectName(QStringLiteral("grp_Ghost"));
  cb_InASI = new ui::ListCombo;
  cb_InASI->setObjectName(QStringLiteral("cb_InASI"));
  cb_InASI->setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
  cb_InASI->setItemIndex(0);

  auto* pids = new QGroupBox(QStringLiteral(" PID Ghost "));
  pids->setObjectName(QStringLiteral("grp_PIDGhost"));
  auto newPidEdit = [this](const char* name) {
    auto* edit = new ui::Edit;
    edit->setObjectName(QString::fromUtf8(name));
    edit->setMaxLength(kPidChars);
    edit->setFixedWidth(kPidEditWidth);
    edit->OnKeyPress = [this](char16_t& key) { txt_PidInGhostKeyPress(key); };
    return edit;
  };
  txt_PidInGhost = newPidEdit("txt_PidInGhost");
  txt_PidOutGhost = newPidEdit("txt_PidOutGhost");
  auto* pidLayout = new QGridLayout(pids);
  pidLayout->addWidget(new QLabel(QStringLiteral("In:")), 0, 0);
  pidLayout->addWidget(txt_PidInGhost, 0, 1);
  pidLayout->addWidget(new QLabel(QStringLiteral("Out:")), 1, 0);
  pidLayout->addWidget(txt_PidOutGhost, 1, 1);

  auto* layout = new QGridLayout(ghost);
  layout->addWidget(new QLabel(QStringLiteral("In (Asi):")), 0, 0);
  layout->addWidget(cb_InASI, 0, 1);
  layout->addWidget(pids, 1, 0, 1, 2);
  return ghost;
}

QGroupBox* Tfrm_CfgGhost::BuildRadixGroup() {
  rdg_PidEdit = new QGroupBox(QStringLiteral(" PID Edit "));
  rdg_PidEdit->setObjectName(QStringLiteral("rdg_PidEdit"));
  rdg_PidEditDecimal = new QRadioButton(QStringLiteral("Decimal"));
  rdg_PidEditHexa = new QRadioButton(QStringLiteral("HexaDecimal"));
  rdg_PidEditDecimal->setChecked(true);
  auto* layout = new QVBoxLayout(rdg_PidEdit);
  layout->addWidget(rdg_PidEditDecimal);
  layout->addWidget(rdg_PidEditHexa);
  return rdg_PidEdit;
}

PidRadix Tfrm_CfgGhost::Radix() const {
  return rdg_PidEditHexa->isChecked() ? PidRadix::Hexadecimal : PidRadix::Decimal;
}

std::vector<GhostRow> Tfrm_CfgGhost::Rows() const {
  std::vector<GhostRow> rows;
  for (int r = 0; r < lst_Ghost->rowCount(); ++r)
    rows.push_back({lst_Ghost->caption(r).toStdString(), lst_Ghost->subItem(r, 0).toStdString(),
                    lst_Ghost->subItem(r, 1).toStdString()});
  return rows;
}

void Tfrm_CfgGhost::FormShow() {
  for (const GhostRow& row : GhostRowsOf(cfg_.B.GhostTable))
    lst_Ghost->addRow(Text(row.input), {Text(row.pidIn), Text(row.pidOut)});
  if (lst_Ghost->rowCount() > 0) SetListEmptyState(false);
}

void Tfrm_CfgGhost::txt_PidInGhostKeyPress(char16_t& key) {
  if (GhostKeyFilter(key, Radix()) == GhostKeyAction::Type) return;
  key = 0;
  bt_AddClick();
  txt_PidInGhost->setFocus();
}

void Tfrm_CfgGhost::bt_AddClick() {
  const int selected = lst_Ghost->selectedRow();
  const QString input = cb_InASI->currentText();
  const PidRadix radix = Radix();
  const auto pidIn = ReadGhostPid(txt_PidInGhost->text().toStdString(), radix);
  const auto pidOut = ReadGhostPid(txt_PidOutGhost->text().toStdString(), radix);
  // A text with no leading digit (".", ",") names no PID: refused like an empty one.
  if (!pidIn || !pidOut) {
    ShowFormMessage(kEnterGhostPids);
    return;
  }
  const std::vector<GhostRow> rows = Rows();
  if (selected < 0) {
    const auto inputNumber = static_cast<int16_t>(LeadingDecimal(input.toStdString()));
    if (InputPidLimitReached(cfg_, GhostTableOf(rows, radix), inputNumber)) {
      ShowFormMessage(kLimitedPidsPerInput);
      return;
    }
    // The stored table has room for 352 entries; more rows could not be stored by Exit.
    if (rows.size() >= static_cast<std::size_t>(kMaxGhostEntries)) {
      ShowFormMessage(kGhostTableFull);
      return;
    }
  }
  const GhostRow row{input.toStdString(), GhostPidText(*pidIn, radix), GhostPidText(*pidOut, radix)};
  if (GhostEntryExists(rows, row.input, row.pidIn, row.pidOut)) {
    ShowFormMessage(kGhostItemsExist);
    return;
  }
  if (selected < 0) {
    lst_Ghost->addRow(input, {Text(row.pidIn), Text(row.pidOut)});
  } else {
    lst_Ghost->setRow(selected, input, {Text(row.pidIn), Text(row.pidOut)});
    // A hexadecimal rewrite keeps its row selected, so the next Add rewrites it again.
    if (radix == PidRadix::Decimal) lst_Ghost->clearRowSelection();
  }
  SetListEmptyState(false);
  txt_PidInGhost->clear();
  txt_PidOutGhost->clear();
}

void Tfrm_CfgGhost::bt_DeleteClick() {
  const int selected = lst_Ghost->selectedRow();
  if (selected < 0 || (txt_PidInGhost->text().trimmed().isEmpty() && txt_PidOutGhost->text().trimmed().isEmpty())) {
    ShowFormMessage(kChooseItem);
    return;
  }
  lst_Ghost->removeRowAt(selected);
  lst_Ghost->clearRowSelection();
  txt_PidInGhost->clear();
  txt_PidOutGhost->clear();
  if (lst_Ghost->rowCount() == 0) SetListEmptyState(true);
}

void Tfrm_CfgGhost::bt_ClearClick() {
  if (lst_Ghost->rowCount() == 0) {
    ShowFormMessage(kListIsEmpty);
    return;
  }
  if (!AskYes(kDeleteAllItems)) return;
  cfg_.B.GhostTable.Count = 0;  // at once: the stored table is empty even if the form is then closed
  cb_InASI->setItemIndex(0);
  lst_Ghost->clearRowSelection();
  lst_Ghost->clearRows();
  SetListEmptyState(true);
}

void Tfrm_CfgGhost::lst_GhostClick() {
  const int selected = lst_Ghost->selectedRow();
  if (lst_Ghost->rowCount() == 0 || selected < 0) return;
  cb_InASI->setCurrentText(lst_Ghost->caption(selected));
  txt_PidInGhost->setText(lst_Ghost->subItem(selected, 0));
  txt_PidOutGhost->setText(lst_Ghost->subItem(selected, 1));
}

void Tfrm_CfgGhost::bt_ExitClick() {
  StoreGhostRows(cfg_.B.GhostTable, Rows(), Radix());
  if (cfg_.B.GhostTable.Count > 0) {
    if (mainWindow_.enableSend) mainWindow_.enableSend();
    if (mainWindow_.enableSave) mainWindow_.enableSave();
  }
  accept();
}

void Tfrm_CfgGhost::SetListEmptyState(bool empty) {
  bt_Delete->setEnabled(!empty);
  bt_Clear->setEnabled(!empty);
  rdg_PidEdit->setEnabled(empty);
}

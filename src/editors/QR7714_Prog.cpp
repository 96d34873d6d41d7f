#include "editors/QR7714_Prog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/SharedRecord.h"
#include "editors/CommandButton.h"
#include "editors/FormMessages.h"
#include "editors/ProgramTableRows.h"
#include "editors/Subtitle.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Fonts.h"
#include "ui/ListCombo.h"
#include "ui/PictureButton.h"
#include "ui/ReportView.h"

namespace {

constexpr int kPidChars = 4;
constexpr int kServiceIdChars = 5;
constexpr int kPidEditWidth = 44;
constexpr int kSubtitleButtonSide = 22;
constexpr int kTableHeight = 200;
constexpr int kNameComboWidth = 110;

QLabel* Label(const QString& text) { return new QLabel(text); }

}  // namespace

Tfrm_CfgProg::Tfrm_CfgProg(QWidget* owner, MainWindowAccess mainWindow)
    : ui::FormDialog(owner, ui::EscapeKey::Ignored), mainWindow_(std::move(mainWindow)), cfg_(SharedMuxConfig()) {
  setWindowTitle(ui::kAppCaption);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFont(ui::FormFont());

  auto* programs = new QGroupBox(QStringLiteral(" Programs "));
  auto* entry = new QVBoxLayout;
  entry->addLayout(BuildNameRow());
  auto* pmtRow = new QHBoxLayout;
  pmtRow->addWidget(BuildServiceGroup());
  pmtRow->addWidget(BuildPmtGroup());
  pmtRow->addWidget(BuildPmtFlagGroup());
  pmtRow->addWidget(BuildPcrGroup());
  pmtRow->addStretch();
  entry->addLayout(pmtRow);
  entry->addLayout(BuildStreamRows());
  auto* programsLayout = new QHBoxLayout(programs);
  programsLayout->addLayout(entry);
  programsLayout->addLayout(BuildCommandColumn());

  auto* form = new QVBoxLayout(this);
  form->addWidget(programs);
  form->addWidget(BuildTableGroup());
  form->setSizeConstraint(QLayout::SetFixedSize);
}

QLayout* Tfrm_CfgProg::BuildNameRow() {
  cb_NameProg = new ui::ListCombo;
  cb_NameProg->setObjectName(QStringLiteral("cb_NameProg"));
  cb_NameProg->setMinimumWidth(kNameComboWidth);
  cb_NameProg->OnClick = [this] { cb_NameProgClick(); };

  cb_InAsi = new ui::ListCombo;
  cb_InAsi->setObjectName(QStringLiteral("cb_InAsi"));
  cb_InAsi->setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
  cb_InAsi->setItemIndex(0);

  rdg_PidEdit = new QGroupBox(QStringLiteral(" PID Edit "));
  rdg_PidEdit->setObjectName(QStringLiteral("rdg_PidEdit"));
  rdg_PidEditDecimal = new QRadioButton(QStringLiteral("Decimal"));
  rdg_PidEditHexa = new QRadioButton(QStringLiteral("HexaDecimal"));
  rdg_PidEditDecimal->setChecked(true);
  auto* radix = new QHBoxLayout(rdg_PidEdit);
  radix->addWidget(rdg_PidEditDecimal);
  radix->addWidget(rdg_PidEditHexa);

  auto* pids = new QGroupBox(QStringLiteral(" Pids "));
  ckb_Duplicate = new QCheckBox(QStringLiteral("Rep Out"));
  (new QHBoxLayout(pids))->addWidget(ckb_Duplicate);

  auto* eit = new QGroupBox(QStringLiteral(" EIT Flags "));
  ckb_Schedule = new QCheckBox(QStringLiteral("Schedule"));
  ckb_Present = new QCheckBox(QStringLiteral("P / F"));
  auto* eitLayout = new QHBoxLayout(eit);
  eitLayout->addWidget(ckb_Schedule);
  eitLayout->addWidget(ckb_Present);

  auto* row = new QHBoxLayout;
  row->addWidget(Label(QStringLiteral("Name:")));
  row->addWidget(cb_NameProg);
  row->addWidget(Label(QStringLiteral("In (ASI):")));
  row->addWidget(cb_InAsi);
  row->addWidget(rdg_PidEdit);
  row->addWidget(pids);
  row->addWidget(eit);
  row->addStretch();
  return row;
}

QGroupBox* Tfrm_CfgProg::BuildServiceGroup() {
  auto* group = new QGroupBox(QStringLiteral(" Service ID "));
  txt_ServiceID = NewPidEdit(QStringLiteral("txt_ServiceID"), kServiceIdChars);
  // The service id is always decimal, whatever the PID radix.
  txt_ServiceID->OnKeyPress = [this](char16_t& key) { txt_ServiceIDKeyPress(key); };
  txt_ServiceID->OnExit = [this] { txt_PidPmtExit(); };
  auto* layout = new QHBoxLayout(group);
  layout->addWidget(Label(QStringLiteral("SID :")));
  layout->addWidget(txt_ServiceID);
  return group;
}

QGroupBox* Tfrm_CfgProg::BuildPmtGroup() {
  auto* group = new QGroupBox(QStringLiteral(" PID PMT "));
  txt_PidPmt = NewPidEdit(QStringLiteral("txt_PidPmt"), kPidChars);
  txt_PidPmt->OnExit = [this] { txt_PidPmtExit(); };
  auto* layout = new QHBoxLayout(group);
  layout->addWidget(Label(QStringLiteral("Out :")));
  layout->addWidget(txt_PidPmt);
  return group;
}

QGroupBox* Tfrm_CfgProg::BuildPmtFlagGroup() {
  auto* group = new QGroupBox(QStringLiteral(" PMT "));
  ckb_genPMT = new QCheckBox(QStringLiteral("Generate PMT"));
  ckb_genPMT->setChecked(true);
  (new QHBoxLayout(group))->addWidget(ckb_genPMT);
  return group;
}

QGroupBox* Tfrm_CfgProg::BuildPcrGroup() {
  QGroupBox* group = BuildStreamGroup(QStringLiteral(" PID PCR "), pcr, QStringLiteral("Pcr"));
  ckb_Pcr = new QCheckBox(QStringLiteral(" Adjust"));
  ckb_Pcr->setChecked(true);
  static_cast<QGridLayout*>(group->layout())->addWidget(ckb_Pcr, 2, 0, 1, 2);
  return group;
}

QGroupBox* Tfrm_CfgProg::BuildStreamGroup(const QString& caption, StreamPidFields& fields, const QString& baseName) {
  auto* group = new QGroupBox(caption);
  fields.in = NewPidEdit(QStringLiteral("txt_Pid%1In").arg(baseName), kPidChars);
  fields.out = NewPidEdit(QStringLiteral("txt_Pid%1Out").arg(baseName), kPidChars);
  const StreamPidFields stream = fields;
  fields.in->OnChange = [this, stream] { txt_PidVidInChange(stream); };
  fields.out->OnExit = [this, out = fields.out] { txt_PidOutExit(*out); };
  auto* layout = new QGridLayout(group);
  layout->addWidget(Label(QStringLiteral("In:")), 0, 0);
  layout->addWidget(fields.in, 0, 1);
  layout->addWidget(Label(QStringLiteral("Out:")), 1, 0);
  layout->addWidget(fields.out, 1, 1);
  return group;
}

QLayout* Tfrm_CfgProg::BuildStreamRows() {
  auto* rows = new QGridLayout;
  auto withType = [](QGroupBox* group, ui::ListCombo* combo) {
    auto* grid = static_cast<QGridLayout*>(group->layout());
    grid->addWidget(Label(QStringLiteral("Type:")), 2, 0);
    grid->addWidget(combo, 2, 1);
    return group;
  };
  cb_VidType = NewTypeCombo(QStringLiteral("cb_VidType"), StreamKind::Video);
  rows->addWidget(withType(BuildStreamGroup(QStringLiteral(" PID Video "), video, QStringLiteral("Vid")), cb_VidType), 0, 0);

  const std::array<QString, kAudioStreams> audioCaptions{QStringLiteral(" PID Audio1 "), QStringLiteral(" PID Audio2 "),
                                                         QStringLiteral(" PID Audio3 "), QStringLiteral(" PID Audio4")};
  for (int j = 0; j < kAudioStreams; ++j) {
    cb_AudType[j] = NewTypeCombo(QStringLiteral("cb_Aud%1Type").arg(j + 1), StreamKind::Audio);
    QGroupBox* group = BuildStreamGroup(audioCaptions[j], audio[j], QStringLiteral("Aud%1").arg(j + 1));
    rows->addWidget(withType(group, cb_AudType[j]), 0, j + 1);
  }

  const std::array<QString, kDataStreams> dataCaptions{QStringLiteral(" PID Data1"), QStringLiteral(" PID Data2 ")};
  for (int j = 0; j < kDataStreams; ++j) {
    QGroupBox* group = BuildStreamGroup(dataCaptions[j], data[j], QStringLiteral("Data%1").arg(j + 1));
    auto* button = new ui::PictureButton(ui::Picture::None, QStringLiteral("..."), QString());
    button->setObjectName(QStringLiteral("bt_Sub%1").arg(j + 1));
    button->setFixedSize(kSubtitleButtonSide, kSubtitleButtonSide);
    auto* grid = static_cast<QGridLayout*>(group->layout());
    grid->addWidget(Label(QStringLiteral("Subtitle:")), 2, 0);
    grid->addWidget(button, 2, 1, Qt::AlignLeft);
    rows->addWidget(group, 1, j);
    (j == 0 ? bt_Sub1 : bt_Sub2) = button;
  }
  bt_Sub1->OnClick = [this] { bt_Sub1Click(); };
  bt_Sub2->OnClick = [this] { bt_Sub2Click(); };
  return rows;
}

QLayout* Tfrm_CfgProg::BuildCommandColumn() {
  bt_Ok = NewCommandButton(ui::Picture::Ok, "Ok", "Insert item into Programs", "bt_Ok");
  bt_Delete = NewCommandButton(ui::Picture::Delete, "Delete", "Delete item of list", "bt_Delete");
  bt_Clear = NewCommandButton(ui::Picture::Clear, "Clear", "Delete all data of list", "bt_Clear");
  bt_Exit = NewCommandButton(ui::Picture::Exit, "Exit", "Exit ", "bt_Exit");
  bt_Ok->OnClick = [this] { bt_OkClick(); };
  bt_Delete->OnClick = [this] { bt_DeleteClick(); };
  bt_Clear->OnClick = [this] { bt_ClearClick(); };
  bt_Exit->OnClick = [this] { bt_ExitClick(); };

  auto* column = new QVBoxLayout;
  for (auto* button : {bt_Ok, bt_Delete, bt_Clear, bt_Exit}) column->addWidget(button);
  column->addStretch();
  return column;
}

QGroupBox* Tfrm_CfgProg::BuildTableGroup() {
  auto* group = new QGroupBox(QStringLiteral(" Data Views "));
  group->setObjectName(QStringLiteral("grp_ViewTransp"));
  lst_Progs = new ui::ReportView;
  lst_Progs->setObjectName(QStringLiteral("lst_Progs"));
  std::array<ui::ReportColumn, kProgramTableColumns> columns{};
  int width = 0;
  for (int i = 0; i < kProgramTableColumns; ++i) {
    const TableColumn& c = kProgramColumns[i];
    columns[i] = {c.caption.data(), c.width, c.alignment == CellAlignment::Left ? Qt::AlignLeft : Qt::AlignHCenter};
    width += c.width;
  }
  lst_Progs->setColumns(columns);
  lst_Progs->setGridLines(true);
  lst_Progs->horizontalHeader()->setSectionsClickable(false);  // column clicks neither sort nor select
  lst_Progs->setFixedSize(width + lst_Progs->frameWidth() * 2 + 20, kTableHeight);
  lst_Progs->OnClick = [this] { lst_ProgsClick(); };
  // A click on the row already selected loads it again (the list raises OnClick only when the
  // selection changes); loading twice is harmless.
  connect(lst_Progs, &QAbstractItemView::clicked, this, [this] { lst_ProgsClick(); });
  (new QVBoxLayout(group))->addWidget(lst_Progs);
  return group;
}

ui::Edit* Tfrm_CfgProg::NewPidEdit(const QString& name, int maxLength) {
  auto* edit = new ui::Edit;
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  edit->setFixedWidth(kPidEditWidth);
  edit->OnKeyPress = [this](char16_t& key) { txt_FreqKeyPress(key); };
  return edit;
}

ui::ListCombo* Tfrm_CfgProg::NewTypeCombo(const QString& name, StreamKind kind) {
  auto* combo = new ui::ListCombo;
  combo->setObjectName(name);
  QStringList items;
  for (const StreamTypeCode& code : kStreamTypeCodes)
    if (code.kind == kind) items << QString::fromUtf8(code.comboText.data(), static_cast<qsizetype>(code.comboText.size()));
  combo->setItems(items);
  combo->setItemIndex(0);  // the type shown is the type stored, from the first commit on
  return combo;
}

PidRadix Tfrm_CfgProg::Radix() const {
  return rdg_PidEditHexa->isChecked() ? PidRadix::Hexadecimal : PidRadix::Decimal;
}

void Tfrm_CfgProg::FormShow() {
  if (mainWindow_.programNames) cb_NameProg->setItems(mainWindow_.programNames());
  if (cb_NameProg->count() > 0) cb_NameProg->setItemIndex(0);
  if (cfg_.A.ProgramCount > 0) {
    RebuildTable();
    rdg_PidEdit->setEnabled(false);
  }
  bt_Delete->setEnabled(true);
  bt_Clear->setEnabled(true);
}

void Tfrm_CfgProg::txt_FreqKeyPress(char16_t& key) {
  if (!PidKeyAccepted(key, Radix())) key = 0;
}

void Tfrm_CfgProg::txt_ServiceIDKeyPress(char16_t& key) {
  if (!PidKeyAccepted(key, PidRadix::Decimal)) key = 0;
}

void Tfrm_CfgProg::txt_PidVidInChange(const StreamPidFields& stream) {
  if (ckb_Duplicate->isChecked()) stream.out->setText(stream.in->text());
}

void Tfrm_CfgProg::txt_PidPmtExit() { txt_PidOutExit(*txt_PidPmt); }

void Tfrm_CfgProg::txt_PidOutExit(const ui::Edit& field) {
  if (PidTextNeedsRangeWarning(field.text().toStdString(), Radix())) ShowFormMessage(kPidRangeWarning);
}

void Tfrm_CfgProg::ClearEntryFields() {
  ckb_Present->setChecked(false);
  ckb_Schedule->setChecked(false);
  txt_ServiceID->clear();
  txt_PidPmt->clear();
  for (const StreamPidFields* stream : {&pcr, &video, &audio[0], &audio[1], &audio[2], &audio[3], &data[0], &data[1]}) {
    stream->in->clear();
    stream->out->clear();
  }
  cb_VidType->setItemIndex(0);
  for (ui::ListCombo* combo : cb_AudType) combo->setItemIndex(0);
}

void Tfrm_CfgProg::bt_ExitClick() {
  if (cfg_.A.ProgramCount > 0 && mainWindow_.enableSend) mainWindow_.enableSend();
  accept();
}

void Tfrm_CfgProg::bt_Sub1Click() { EditSubtitle(0); }

void Tfrm_CfgProg::bt_Sub2Click() { EditSubtitle(1); }

void Tfrm_CfgProg::EditSubtitle(int dataStream) {
  // Without a name, or at a position past the record's slots, there is no data stream to edit.
  const int position = cb_NameProg->itemIndex();
  if (position < 0 || position >= kMaxPrograms) return;
  // A stored program of that name is the one edited, wherever it sits; a name not yet committed
  // uses its position, the slot it takes when names are committed in list order.
  const ProgramSlot named = FindProgramSlot();
  const int slot = named.found ? named.slot : position;
  EditSubtitleDescriptor(this, cfg_.A.Programs[slot].Data[dataStream]);
}

#include "editors/Subtitle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/Cp1252.h"
#include "editors/CommandButton.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/NameText.h"
#include "ui/PictureButton.h"

namespace {

constexpr int kLabelWidth = 60;
constexpr int kComboWidth = 480;

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString UpToFirstBlank(const QString& text) { return text.left(text.indexOf(QLatin1Char(' '))); }

}  // namespace

Tfrm_Subtitle::Tfrm_Subtitle(QWidget* owner) : ui::FormDialog(owner, ui::EscapeKey::Closes) {
  setWindowTitle(ui::kAppCaption);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFont(ui::FormFont());

  auto* subtitle = new QGroupBox(QStringLiteral(" Subtitle "));
  subtitle->setObjectName(QStringLiteral("grp_Subtitle"));
  auto* inner = new QVBoxLayout(subtitle);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildEnableGroup());
  top->addWidget(BuildDataTypeGroup());
  inner->addLayout(top);
  inner->addWidget(BuildLanguageGroup());

  auto* form = new QVBoxLayout(this);
  form->addWidget(subtitle);
  form->addWidget(BuildButtonGroup());
  form->setSizeConstraint(QLayout::SetFixedSize);
  chk_SubtitleEnableClick();
  ShowComboStarts();
}

// Long items are shown from their first character (the code), not scrolled to their end.
void Tfrm_Subtitle::ShowComboStarts() {
  cb_LanguageCode->lineEdit()->setCursorPosition(0);
  cb_SubtitleType->lineEdit()->setCursorPosition(0);
}

QGroupBox* Tfrm_Subtitle::BuildEnableGroup() {
  auto* group = new QGroupBox;
  group->setObjectName(QStringLiteral("grp_SubtitleEnable"));
  chk_SubtitleEnable = new QCheckBox(QStringLiteral("Subtitle Enable"));
  connect(chk_SubtitleEnable, &QCheckBox::toggled, this, [this] { chk_SubtitleEnableClick(); });
  (new QHBoxLayout(group))->addWidget(chk_SubtitleEnable);
  return group;
}

QGroupBox* Tfrm_Subtitle::BuildDataTypeGroup() {
  rdg_DataType = new QGroupBox(QStringLiteral(" Data Type "));
  rdg_DataType->setObjectName(QStringLiteral("rdg_DataType"));
  rdg_DataTypeSubtitling = new QRadioButton(QStringLiteral("Subtitling (0x06)"));
  rdg_DataTypeLanguage = new QRadioButton(QStringLiteral("Language only (0x82)"));
  rdg_DataTypeSubtitling->setChecked(true);
  auto* buttons = new QButtonGroup(rdg_DataType);
  buttons->addButton(rdg_DataTypeSubtitling, 0);
  buttons->addButton(rdg_DataTypeLanguage, kLanguageOnlyDataType);
  connect(buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) rdg_DataTypeClick();
  });
  auto* layout = new QHBoxLayout(rdg_DataType);
  layout->addWidget(rdg_DataTypeSubtitling);
  layout->addWidget(rdg_DataTypeLanguage);
  return rdg_DataType;
}

QGroupBox* Tfrm_Subtitle::BuildLanguageGroup() {
  auto* group = new QGroupBox;
  group->setObjectName(QStringLiteral("grp_LanguageCode"));

  lbl_LanguageCode = new QLabel(QStringLiteral("Language Code: "));
  lbl_Language = new QLabel;
  lbl_Language->setAlignment(Qt::AlignCenter);
  lbl_Language->setFixedWidth(kLabelWidth);
  lbl_Language->setFrameShape(QFrame::Panel);
  cb_LanguageCode = new QComboBox;
  cb_LanguageCode->setEditable(true);
  cb_LanguageCode->setInsertPolicy(QComboBox::NoInsert);
  cb_LanguageCode->setFixedWidth(kComboWidth);
  connect(cb_LanguageCode, &QComboBox::currentTextChanged, this, [this] { cb_LanguageCodeChange(); });
  for (std::string_view item : kLanguageItems) cb_LanguageCode->addItem(Utf8(item));
  cb_LanguageCode->setCurrentIndex(kInitialLanguageRow);

  lbl_SubtitleType = new QLabel(QStringLiteral("Type: "));
  lbl_Subtitle = new QLabel;
  lbl_Subtitle->setAlignment(Qt::AlignCenter);
  lbl_Subtitle->setFixedWidth(kLabelWidth);
  lbl_Subtitle->setFrameShape(QFrame::Panel);
  cb_SubtitleType = new QComboBox;
  cb_SubtitleType->setEditable(true);
  cb_SubtitleType->setInsertPolicy(QComboBox::NoInsert);
  cb_SubtitleType->setFixedWidth(kComboWidth);
  connect(cb_SubtitleType, &QComboBox::currentTextChanged, this, [this] { cb_SubtitleTypeChange(); });
  for (std::string_view item : kSubtitleTypeItems) cb_SubtitleType->addItem(Utf8(item));
  cb_SubtitleType->setCurrentIndex(kInitialSubtitleTypeRow);

  auto* grid = new QGridLayout(group);
  grid->addWidget(lbl_LanguageCode, 0, 0);
  grid->addWidget(lbl_Language, 0, 1);
  grid->addWidget(cb_LanguageCode, 0, 2);
  grid->addWidget(lbl_SubtitleType, 1, 0);
  grid->addWidget(lbl_Subtitle, 1, 1);
  grid->addWidget(cb_SubtitleType, 1, 2);
  return group;
}

QGroupBox* Tfrm_Subtitle::BuildButtonGroup() {
  auto* group = new QGroupBox;
  group->setObjectName(QStringLiteral("grp_Buttons"));
  bt_Ok = NewCommandButton(ui::Picture::Ok, "Ok", "Insert item into Programs", "bt_Ok");
  bt_Cancel = NewCommandButton(ui::Picture::Cancel, "Cancel", "Delete item of list", "bt_Cancel");
  auto* layout = new QHBoxLayout(group);
  layout->addStretch();
  for (ui::PictureButton* button : {bt_Ok, bt_Cancel}) {
    layout->addWidget(button);
  }
  // Neither button undoes anything: the state is stored however the dialog closes.
  bt_Ok->OnClick = [this] { accept(); };
  bt_Cancel->OnClick = [this] { reject(); };
  return group;
}

void Tfrm_Subtitle::FormShow() {
  cb_LanguageCodeChange();
  cb_SubtitleTypeChange();
}

void Tfrm_Subtitle::chk_SubtitleEnableClick() {
  const bool on = chk_SubtitleEnable->isChecked();
  for (QWidget* control : std::initializer_list<QWidget*>{cb_LanguageCode, cb_SubtitleType, bt_Ok, rdg_DataType})
    control->setEnabled(on);
}

void Tfrm_Subtitle::rdg_DataTypeClick() {
  const bool subtitling = DataTypeItem() != kLanguageOnlyDataType;
  for (QWidget* control : std::initializer_list<QWidget*>{cb_SubtitleType, lbl_SubtitleType, lbl_Subtitle})
    control->setEnabled(subtitling);
}

void Tfrm_Subtitle::cb_LanguageCodeChange() { lbl_Language->setText(UpToFirstBlank(cb_LanguageCode->currentText())); }

void Tfrm_Subtitle::cb_SubtitleTypeChange() { lbl_Subtitle->setText(UpToFirstBlank(cb_SubtitleType->currentText())); }

int Tfrm_Subtitle::DataTypeItem() const { return rdg_DataTypeLanguage->isChecked() ? kLanguageOnlyDataType : 0; }

void Tfrm_Subtitle::Preset(const DataStream& stream) {
  chk_SubtitleEnable->setChecked(true);
  cb_LanguageCode->setCurrentIndex(FindLanguageRow(FieldText(stream.LanguageCode, 3)));
  if (stream.SubtitlingType != 0) {
    cb_SubtitleType->setCurrentIndex(FindSubtitleTypeRow(SubtitleTypeText(stream.SubtitlingType)));
  } else {
    lbl_Subtitle->setEnabled(false);
    cb_SubtitleType->setEnabled(false);
  }
  (stream.Type == kLanguageOnlyDataType ? rdg_DataTypeLanguage : rdg_DataTypeSubtitling)->setChecked(true);
  ShowComboStarts();
}

SubtitleChoice Tfrm_Subtitle::Choice() const {
  return {chk_SubtitleEnable->isChecked(), DataTypeItem(), ui::Cp1252FromText(lbl_Language->text()),
          lbl_Subtitle->text().toStdString()};
}

void EditSubtitleDescriptor(QWidget* owner, DataStream& stream) {
  Tfrm_Subtitle dialog(owner);
  if (stream.SubtitleEnabled != 0) dialog.Preset(stream);
  ui::ShowModal(dialog);
  StoreSubtitleChoice(stream, dialog.Choice());
}

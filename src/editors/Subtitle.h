#pragma once
// The subtitle descriptor dialog of one data stream: whether subtitle descriptors are announced,
// the data type, the language and the subtitling type. Whatever way it is closed, its state is
// stored into the data stream.


#include "config/MuxConfig.h"
#include "editors/SubtitleRules.h"
#include "ui/FormDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
namespace ui {
class PictureButton;
}

class Tfrm_Subtitle : public ui::FormDialog {
  Q_OBJECT
 public:
  explicit Tfrm_Subtitle(QWidget* owner);

  QCheckBox* chk_SubtitleEnable;
  QGroupBox* rdg_DataType;
  QRadioButton* rdg_DataTypeSubtitling;  // item 0
  QRadioButton* rdg_DataTypeLanguage;    // item 1
  QLabel* lbl_LanguageCode;
  QLabel* lbl_Language;
  QComboBox* cb_LanguageCode;
  QLabel* lbl_SubtitleType;
  QLabel* lbl_Subtitle;
  QComboBox* cb_SubtitleType;
  ui::PictureButton* bt_Ok;
  ui::PictureButton* bt_Cancel;

  // Shows the stored choices of a stream whose subtitles are enabled.
  void Preset(const DataStream& stream);
  SubtitleChoice Choice() const;
  int DataTypeItem() const;

  void FormShow() override;
  void chk_SubtitleEnableClick();
  void rdg_DataTypeClick();
  void cb_LanguageCodeChange();
  void cb_SubtitleTypeChange();

 private:
  QGroupBox* BuildEnableGroup();
  QGroupBox* BuildDataTypeGroup();
  QGroupBox* BuildLanguageGroup();
  QGroupBox* BuildButtonGroup();
  void ShowComboStarts();
};

// One cycle of a "..." button: a new dialog preset from the stream, shown modally, its state
// stored back into the stream when it closes.
void EditSubtitleDescriptor(QWidget* owner, DataStream& stream);

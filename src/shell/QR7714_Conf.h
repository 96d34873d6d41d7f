#pragma once
// The main window: tool bar, the output panel, the program list panel, menu and status bar;
// connecting to the device, the port choice, the clock, Open, Save, Send and Get.
// Controls and handlers carry the names the other forms and the tests use.

#include <QMainWindow>
#include <functional>

#include "config/AppPaths.h"
#include "editors/EditorHost.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;

namespace ui {
class BusyDialog;
class Edit;
class Led;
class PictureButton;
class RadioGroup;
class SecondTimer;
}  // namespace ui

struct TransferProgress;

class Tfrm_CfgMux : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 652;
  static constexpr int kClientHeight = 463;
  static constexpr int kModeByte = 0;  // rdg_Mode items
  static constexpr int kModePack = 1;

  // The window keeps its files beside `paths.exeDir` (the executable's folder in the application).
  explicit Tfrm_CfgMux(const AppPaths& paths, QWidget* parent = nullptr);
  ~Tfrm_CfgMux() override;

  const AppPaths& Paths() const { return paths_; }
  int16_t ComPort() const { return comPort_; }
  // What the program and ghost editors reach of this window.
  MainWindowAccess EditorAccess();

  // How Exit ends the process (at once, exit code 0); tests replace it.
  std::function<void()> EndProcess;

  // Start-up, connection, port, clock, About, Exit.
  void FormActivate();
  void bt_ConnectClick();
  void bt_DisconnectClick();
  void bt_ExitClick();
  void bt_AboutClick();
  void mn_1Click(int port);
  void Timer1Timer();

  // Output panel. txt_BitRateExit returns false when it refused the rate (record unchanged).
  bool txt_BitRateExit();
  void txt_TSIDExit();
  void txt_NetNameExit();
  void txt_SymbRateKeyPress(char16_t& key);
  void txt_TSIDKeyPress(char16_t& key);

  // Program list panel.
  void bt_AddClick();
  void txt_NameProgKeyPress(char16_t& key);
  void lst_ProgClick();
  void bt_EditClick();
  void bt_GhostClick();
  void bt_DeleteClick();
  void bt_ClearClick();

  // Files and device.
  void bt_OpenClick();
  void bt_SaveClick();
  void bt_SendClick();
  void bt_GetClick();

  // Tool bar.
  QFrame* grp_Toolbar;
  ui::PictureButton* bt_Connect;
  ui::PictureButton* bt_Disconnect;
  ui::PictureButton* bt_About;
  ui::PictureButton* bt_Exit;
  QLabel* img_Product;  // the picture at the right end, without action

  // Output panel.
  QGroupBox* grp_Nit;
  QLabel* lbl_NetName;
  ui::Edit* txt_NetName;
  ui::RadioGroup* rdg_Mode;
  QLabel* lbl_BitRate;
  ui::Edit* txt_BitRate;
  QLabel* lbl_Bps;
  QLabel* lbl_TSID;
  ui::Edit* txt_TSID;
  QLabel* lbl_Dec;
  ui::PictureButton* bt_Corvane;

  // Program list panel.
  QGroupBox* grp_Program;
  QLabel* lbl_NameProg;
  ui::Edit* txt_NameProg;
  QLabel* lbl_Programs;
  QListWidget* lst_Prog;
  ui::PictureButton* bt_Add;
  ui::PictureButton* bt_Edit;
  ui::PictureButton* bt_Delete;
  ui::PictureButton* bt_Clear;
  ui::PictureButton* bt_Ghost;
  ui::PictureButton* bt_Open;
  ui::PictureButton* bt_Save;
  ui::PictureButton* bt_Get;
  ui::PictureButton* bt_Send;

  // Status bar.
  QFrame* grp_Conexao;
  ui::Led* GreenLed;
  ui::Led* RedLed;
  QLabel* lbl_Status;
  QFrame* grp_PortSerial;
  QLabel* lbl_Port;
  QLabel* lbl_PortSerial;
  QFrame* grp_Corvane;
  QLabel* lbl_Corvane;
  QFrame* grp_Timer;
  QLabel* lbl_Timer;
  ui::SecondTimer* Timer1;

  // Menu.
  QAction* mn_Connect;
  QAction* mn_Disconnect;
  QAction* mn_Exit;
  QMenu* mn_Port;
  QAction* mn_PortItems[9];
  QAction* mn_About;

 protected:
  bool event(QEvent* event) override;

 private:
  void BuildToolbar(QWidget* client);
  void BuildOutputPanel(QWidget* client);
  void BuildProgramPanel(QWidget* client);
  void BuildStatusBar(QWidget* client);
  void BuildMenu();

  int SelectedLine() const;  // -1 when no line of lst_Prog is selected
  void DeselectList();
  void SetListButtons(bool enabled);  // bt_Edit, bt_Delete, bt_Clear
  void FillListFromRecord();
  void ShowPortLabel(const char* format);
  // Runs `work` with a modal progress window; `work` gets the progress callback to pass down.
  int RunWithProgress(const QString& title,
                      const std::function<int(const std::function<void(const TransferProgress&)>&)>& work);

  AppPaths paths_;
  int16_t comPort_ = 0;
};

// The instance in use (the other forms reach the main window through it); null while none exists.
extern Tfrm_CfgMux* frm_CfgMux;

#include "shell/QR7714_Conf.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QTime>
#include <cstdio>
#include <cstdlib>

#include "config/MuxFile.h"
#include "config/SharedRecord.h"
#include "link/Ser350.h"
#include "shell/QR7714_About.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Fonts.h"
#include "ui/Led.h"
#include "ui/PictureButton.h"
#include "ui/Pictures.h"
#include "ui/SecondTimer.h"

Tfrm_CfgMux* frm_CfgMux = nullptr;

namespace {

constexpr int kPortCount = 9;
constexpr int kToolButtonWidth = 49;
constexpr int kToolButtonHeight = 41;
constexpr int kIconSide = 32;

QFrame* StatusPanel(QWidget* client, int left, int top, int width, int height) {
  auto* panel = new QFrame(client);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setGeometry(left, top, width, height);
  return panel;
}

QLabel* StatusLabel(QWidget* parent, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setFont(ui::StatusFont());
  return label;
}

}  // namespace

Tfrm_CfgMux::Tfrm_CfgMux(const AppPaths& paths, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      EndProcess([] {
        std::fflush(nullptr);
        std::_Exit(0);
      }),
      paths_(paths) {
  frm_CfgMux = this;
  // The port choice must last and Send must be able to write its image: make the folder now.
  EnsureConfigDir(paths_);
  setWindowTitle(ui::kAppCaption);
  setWindowIcon(QIcon(ui::DrawPicture(ui::Picture::ProductLogo, QSize(kIconSide, kIconSide))));
  setFont(ui::FormFont());

  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  BuildToolbar(client);
  BuildOutputPanel(client);
  BuildProgramPanel(client);
  BuildStatusBar(client);
  BuildMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // FormCreate: a fresh record holds no programs and no ghost entries.
  MuxConfig& cfg = SharedMuxConfig();
  cfg.A.ProgramCount = 0;
  cfg.B.GhostTable.Count = 0;
  ShowPortLabel(" %d ");

  Timer1 = new ui::SecondTimer(this);
  Timer1->OnTimer = [this] { Timer1Timer(); };
  Timer1Timer();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    adjustSize();
    move(screen->availableGeometry().center() - rect().center());
  }
}

Tfrm_CfgMux::~Tfrm_CfgMux() {
  if (frm_CfgMux == this) frm_CfgMux = nullptr;
}

void Tfrm_CfgMux::BuildToolbar(QWidget* client) {
  grp_Toolbar = new QFrame(client);
  grp_Toolbar->setFrameShape(QFrame::StyledPanel);
  grp_Toolbar->setGeometry(3, 0, 646, 57);
  const auto toolButton = [this](ui::Picture picture, const QString& hint, int index) {
    auto* button = new ui::PictureButton(picture, QString(), hint, grp_Toolbar);
    button->place(4 + index * kToolButtonWidth, 8, kToolButtonWidth, kToolButtonHeight);
    return button;
  };
  bt_Connect = toolButton(ui::Picture::Connect, "Connect", 0);
  bt_Disconnect = toolButton(ui::Picture::Disconnect, "Disconnect", 1);
  bt_About = toolButton(ui::Picture::About, "About", 2);
  bt_Exit = toolButton(ui::Picture::Exit, "Exit", 3);
  bt_Disconnect->setEnabled(false);
  img_Product = new QLabel(grp_Toolbar);
  img_Product->setGeometry(646 - 61 - 4, 4, 61, 49);
  img_Product->setPixmap(ui::DrawPicture(ui::Picture::ProductLogo, img_Product->size()));

  bt_Connect->OnClick = [this] { bt_ConnectClick(); };
  bt_Disconnect->OnClick = [this] { bt_DisconnectClick(); };
  bt_About->OnClick = [this] { bt_AboutClick(); };
  bt_Exit->OnClick = [this] { bt_ExitClick(); };
}

void Tfrm_CfgMux::BuildStatusBar(QWidget* client) {
  grp_Conexao = StatusPanel(client, 4, 428, 125, 33);
  GreenLed = new ui::Led(ui::Led::Green(), grp_Conexao);
  GreenLed->setGeometry(3, 4, 25, 25);
  RedLed = new ui::Led(ui::Led::Red(), grp_Conexao);
  RedLed->setGeometry(3, 4, 25, 25);  // over the green one: hiding it shows green
  lbl_Status = StatusLabel(grp_Conexao, "Disconnected");
  lbl_Status->setAlignment(Qt::AlignCenter);
  lbl_Status->setGeometry(28, 4, 125 - 28 - 2, 25);

  grp_PortSerial = StatusPanel(client, 124, 428, 61, 33);
  lbl_Port = StatusLabel(grp_PortSerial, "Port: ");
  lbl_Port->setGeometry(6, 4, 32, 25);
  lbl_PortSerial = StatusLabel(grp_PortSerial, QString());
  lbl_PortSerial->setGeometry(38, 4, 20, 25);

  grp_Corvane = StatusPanel(client, 180, 428, 395, 33);
  lbl_Corvane = StatusLabel(grp_Corvane, "Corvane");
  lbl_Corvane->setAlignment(Qt::AlignCenter);
  lbl_Corvane->setGeometry(4, 4, 395 - 8, 25);

  grp_Timer = StatusPanel(client, 570, 428, 82, 33);
  lbl_Timer = StatusLabel(grp_Timer, QString());
  lbl_Timer->setGeometry(8, 4, 82 - 12, 25);
}

void Tfrm_CfgMux::BuildMenu() {
  QMenu* file = menuBar()->addMenu("File");
  mn_Connect = file->addAction("&Connect", this, [this] { bt_ConnectClick(); });
  mn_Disconnect = file->addAction("&Disconnect", this, [this] { bt_DisconnectClick(); });
  mn_Disconnect->setEnabled(false);
  file->addSeparator();
  mn_Exit = file->addAction("&Exit", this, [this] { bt_ExitClick(); });

  QMenu* config = menuBar()->addMenu("Config");
  mn_Port = config->addMenu("&Port");
  for (int port = 1; port <= kPortCount; ++port) {
    QAction* item = mn_Port->addAction(QString::asprintf(" %d", port));
    item->setCheckable(true);
    // A click toggles the mark; the handler sets the marks itself.
    connect(item, &QAction::triggered, this, [this, port] { mn_1Click(port); });
    mn_PortItems[port - 1] = item;
  }

  QMenu* help = menuBar()->addMenu("Help");
  mn_About = help->addAction("&About", this, [this] { bt_AboutClick(); });
}

bool Tfrm_CfgMux::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(e);
}

void Tfrm_CfgMux::ShowPortLabel(const char* format) {
  lbl_PortSerial->setText(QString::asprintf(format, static_cast<int>(comPort_)));
}

void Tfrm_CfgMux::FormActivate() {
  const std::optional<int16_t> port = ReadPortFile(paths_.portFile);
  if (!port) {
    comPort_ = 0;
    return;
  }
  comPort_ = *port;
  if (comPort_ >= 1 && comPort_ <= kPortCount) mn_PortItems[comPort_ - 1]->setChecked(true);
  ShowPortLabel(" %d ");
}

void Tfrm_CfgMux::mn_1Click(int port) {
  for (QAction* item : mn_PortItems) item->setChecked(false);
  mn_PortItems[port - 1]->setChecked(true);
  comPort_ = 0;
  for (int i = 0; i < kPortCount && comPort_ == 0; ++i)
    if (mn_PortItems[i]->isChecked()) comPort_ = static_cast<int16_t>(i + 1);
  ShowPortLabel(" %d");
  WritePortFile(paths_.portFile, comPort_);  // a port file that cannot be written is ignored
}

void Tfrm_CfgMux::bt_ConnectClick() {
  if (LinkOpen(comPort_) != 1) return;  // the link has shown why
  mn_Connect->setEnabled(false);
  bt_Connect->setEnabled(false);
  bt_Disconnect->setEnabled(true);
  mn_Disconnect->setEnabled(true);
  for (QWidget* control : std::initializer_list<QWidget*>{bt_Add, bt_Get, bt_Open, bt_Ghost, txt_NameProg,
                                                          txt_NetName, txt_TSID, txt_BitRate})
    control->setEnabled(true);
  RedLed->hide();
  lbl_Status->setText("Connected!");
  mn_Port->menuAction()->setEnabled(false);
}

void Tfrm_CfgMux::bt_DisconnectClick() {
  if (LinkIsConnected()) LinkClose();
  lst_Prog->clear();
  MuxConfig& cfg = SharedMuxConfig();
  cfg.A.ProgramCount = 0;
  cfg.A.TransportStreamId = 0;
  for (ui::Edit* edit : {txt_NameProg, txt_NetName, txt_TSID, txt_BitRate}) edit->setText(QString());
  for (QWidget* control : std::initializer_list<QWidget*>{bt_Edit, bt_Delete, bt_Clear, bt_Save, bt_Send,
                                                          bt_Disconnect, bt_Add, bt_Get, bt_Open, bt_Ghost})
    control->setEnabled(false);
  bt_Connect->setEnabled(true);
  mn_Connect->setEnabled(true);
  mn_Disconnect->setEnabled(false);
  RedLed->show();
  lbl_Status->setText("Disconnected!");
  for (ui::Edit* edit : {txt_NameProg, txt_NetName, txt_TSID, txt_BitRate}) edit->setEnabled(false);
  mn_Port->menuAction()->setEnabled(true);
}

void Tfrm_CfgMux::bt_ExitClick() {
  LinkClose();
  close();
  EndProcess();
}

void Tfrm_CfgMux::bt_AboutClick() {
  auto* about = new Tfrm_About(this);
  ui::ShowModal(*about);
  delete about;
}

void Tfrm_CfgMux::Timer1Timer() {
  const QTime now = QTime::currentTime();
  lbl_Timer->setText(QString::asprintf(" %2.2d:%2.2d:%2.2d", now.hour(), now.minute(), now.second()));
}

MainWindowAccess Tfrm_CfgMux::EditorAccess() {
  MainWindowAccess access;
  access.programNames = [this] {
    QStringList names;
    for (int i = 0; i < lst_Prog->count(); ++i) names << lst_Prog->item(i)->text();
    return names;
  };
  access.networkNameText = [this] { return txt_NetName->text(); };
  access.enableSend = [this] { bt_Send->setEnabled(true); };
  access.enableSave = [this] { bt_Save->setEnabled(true); };
  return access;
}

#pragma once
// The modal progress window of long work that runs on the UI thread (Send, Get). While it is
// open, pump() lets the windows repaint and timers run, but no key or mouse input is handled, so
// nothing can start a second operation or close the window midway.

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace ui {

class BusyDialog : public QDialog {
  Q_OBJECT
 public:
  BusyDialog(QWidget* parent, const QString& title);
  ~BusyDialog() override;

  // `total` 0: the amount of work is unknown (a moving bar).
  void setProgress(const QString& phase, int done, int total);
  // Repaints and runs timers; user input stays queued until the dialog closes. Cheap to call often.
  void pump();

  int progressValue() const;
  QString phaseText() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* phase_;
  QProgressBar* bar_;
  QElapsedTimer sincePump_;
};

}  // namespace ui

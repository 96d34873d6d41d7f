#include "ScriptedDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace ui::testing {
namespace {

constexpr int kPollMs = 10;
constexpr int kModalDriveTimeoutMs = 5000;

const char* KindName(int kind) {
  static constexpr const char* kNames[] = {"message box", "simple message", "modal dialog", "file chooser"};
  return kNames[kind];
}

}  // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(SetDialogHook(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
  SetDialogHook(previous_);
  for (const Step& step : script_) {
    ADD_FAILURE() << "expected " << KindName(static_cast<int>(step.kind)) << " never appeared: \""
                  << step.message.text.toStdString() << "\"";
  }
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& text, int flags, int answer,
                                                const QString& caption) {
  script_.push_back({Kind::Message, {text, caption, flags}, answer, {}, {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectSimpleMessage(const QString& text) {
  script_.push_back({Kind::SimpleMessage, {text, kAppCaption, 0}, kIdOk, {}, {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectModal(std::function<void(QDialog&)> drive) {
  script_.push_back({Kind::Modal, {}, kIdOk, std::move(drive), {}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectFileChoice(FileDialogKind kind, std::optional<QString> path) {
  script_.push_back({Kind::File, {}, kIdOk, {}, kind, std::move(path)});
  return *this;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::next(Kind kind, const QString& what) {
  if (script_.empty() || script_.front().kind != kind) {
    ADD_FAILURE() << "unexpected " << KindName(static_cast<int>(kind)) << ": \"" << what.toStdString()
                  << "\"" << (script_.empty() ? std::string(" (nothing more expected)")
                                              : " (expected " + std::string(KindName(static_cast<int>(
                                                                    script_.front().kind))) +
                                                    " \"" + script_.front().message.text.toStdString() + "\")");
    return std::nullopt;
  }
  Step step = std::move(script_.front());
  script_.pop_front();
  return step;
}

int ScriptedDialogs::messageBox(const QString& text, const QString& caption, int flags) {
  shown_.push_back({text, caption, flags});
  const auto step = next(Kind::Message, text);
  if (!step) return flags == kMbYesNo ? kIdNo : kIdOk;
  EXPECT_EQ(step->message.text.toStdString(), text.toStdString());
  EXPECT_EQ(step->message.flags, flags) << "flags of \"" << text.toStdString() << "\"";
  EXPECT_EQ(step->message.caption.toStdString(), caption.toStdString());
  if (step->message.text != text) return flags == kMbYesNo ? kIdNo : kIdOk;
  return step->answer;
}

void ScriptedDialogs::showMessage(const QString& text) {
  shown_.push_back({text, kAppCaption, 0});
  const auto step = next(Kind::SimpleMessage, text);
  if (step) {
    EXPECT_EQ(step->message.text.toStdString(), text.toStdString());
  }
}

int ScriptedDialogs::showModal(QDialog& dialog) {
  const auto step = next(Kind::Modal, dialog.windowTitle());
  if (!step) return QDialog::Rejected;
  QTimer::singleShot(0, &dialog, [&dialog, drive = step->drive] {
    drive(dialog);
  });
  // Backstop: a drive that forgot to close the dialog fails the test instead of hanging it.
  QTimer::singleShot(kModalDriveTimeoutMs, &dialog, [&dialog] {
    if (dialog.isVisible()) {
      ADD_FAILURE() << "the scripted action left the modal dialog open";
      dialog.reject();
    }
  });
  return dialog.exec();
}

std::optional<QString> ScriptedDialogs::chooseFile(FileDialogKind kind, const FileDialogSpec& request) {
  const auto step = next(Kind::File, request.title);
  if (!step) return std::nullopt;
  EXPECT_EQ(step->fileKind, kind);
  return step->path;
}

void RunWhenModal(std::function<void(QWidget&)> action, int timeoutMs) {
  auto* poll = new QTimer(qApp);
  auto waited = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, timeoutMs, action = std::move(action)] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      action(*modal);
      return;
    }
    *waited += kPollMs;
    if (*waited >= timeoutMs) {
      poll->stop();
      poll->deleteLater();
      ADD_FAILURE() << "no modal window appeared within " << timeoutMs << " ms";
    }
  });
  poll->start(kPollMs);
}

}  // namespace ui::testing

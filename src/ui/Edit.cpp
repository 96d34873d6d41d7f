#include "ui/Edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

#include "ui/NameText.h"

namespace ui {
namespace {

// Refuses any text holding a character Windows-1252 cannot encode (typed or pasted).
class Cp1252Validator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return EncodableInCp1252(input) ? Acceptable : Invalid;
  }
};

constexpr char16_t kKeyTab = 9;
constexpr char16_t kFirstPrintable = 32;
constexpr char16_t kKeyDelete = 127;

char16_t KeyCode(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Backspace:
      return kKeyBackspace;
    default:
      break;
  }
  const QString text = event.text();
  if (text.size() != 1) return 0;
  const char16_t code = text.front().unicode();
  // Control characters (Ctrl+letter, Escape) are typed characters the filters see; Tab moves the
  // focus and Delete types nothing.
  if (code == kKeyTab || code == kKeyDelete) return 0;
  if (code < kFirstPrintable || text.front().isPrint()) return code;
  return 0;
}

}  // namespace

bool IsDigitKey(char16_t key) { return key >= u'0' && key <= u'9'; }

Edit::Edit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

void Edit::setCp1252Only(bool on) {
  cp1252Only_ = on;
  setValidator(on ? new Cp1252Validator(this) : nullptr);
}

void Edit::keyPressEvent(QKeyEvent* event) {
  const char16_t original = KeyCode(*event);
  if (original == 0 || !OnKeyPress) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  char16_t key = original;
  OnKeyPress(key);
  if (key == 0) {
    event->accept();
    return;
  }
  if (key != original && key != kKeyEnter && key != kKeyBackspace) {
    insert(QString(QChar(key)));  // the handler replaced the character
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void Edit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
      reason == Qt::MenuBarFocusReason)
    return;
  if (inExit_ || !OnExit) return;
  inExit_ = true;
  OnExit();
  inExit_ = false;
}

}  // namespace ui

#include "ui/Edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

#include "ui/NameText.h"

namespace ui {
namespace {

// Refuses typed or pasted text longer than the edit's limit or, when asked, holding a character
// Windows-1252 cannot encode. Text set by the program is not held to it.
class TypingValidator final : public QValidator {
 public:
  explicit TypingValidator(Edit& edit) : QValidator(&edit), edit_(edit) {}
  State validate(QString& input, int&) const override {
    if (edit_.maxLength() >= 0 && input.size() > edit_.maxLength()) return Invalid;
    if (edit_.cp1252Only() && !EncodableInCp1252(input)) return Invalid;
    return Acceptable;
  }

 private:
  const Edit& edit_;
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
  setValidator(new TypingValidator(*this));
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

void Edit::setCp1252Only(bool on) { cp1252Only_ = on; }

bool Edit::hasRoomToType() const {
  return typingLimit_ < 0 || text().size() - selectedText().size() < typingLimit_;
}

void Edit::keyPressEvent(QKeyEvent* event) {
  const char16_t original = KeyCode(*event);
  char16_t key = original;
  if (original != 0 && OnKeyPress) OnKeyPress(key);
  const bool typesCharacter = key >= kFirstPrintable;
  if ((original != 0 && key == 0) || (typesCharacter && !hasRoomToType())) {
    event->accept();  // discarded by the handler, or no room left to type it
    return;
  }
  if (key != original && typesCharacter) {
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

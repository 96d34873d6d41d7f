#pragma once
// A one-line edit with the events the forms use:
//  - OnKeyPress(key): before a typed character reaches the edit. `key` is the character code
//    (13 Enter, 8 backspace, control characters such as 22 for Ctrl+V or 27 for Escape, otherwise
//    the character); set it to 0 to discard the key. Keys that type no character (arrows, Delete,
//    ...) do not raise it.
//  - OnChange(): after every change of the text, typed or set by the program.
//  - OnExit(): the focus moved from this edit to another control of the window. Not raised while
//    the window merely loses activation (a message box opened from OnExit does not re-enter it).
// setMaxLength limits the characters the user types or pastes; text set by the program is kept
// whole, so a value read from a file or the device shows as it is and is not cut to the limit.
// setCp1252Only additionally refuses characters Windows-1252 cannot hold, so the text is exactly
// as many bytes in the record as it has characters.

#include <QLineEdit>
#include <functional>

namespace ui {

class Edit : public QLineEdit {
  Q_OBJECT
 public:
  explicit Edit(QWidget* parent = nullptr);

  void setCp1252Only(bool on);
  bool cp1252Only() const { return cp1252Only_; }
  void setMaxLength(int length) { typingLimit_ = length; }
  int maxLength() const { return typingLimit_; }  // -1: no limit

  std::function<void(char16_t& key)> OnKeyPress;
  std::function<void()> OnChange;
  std::function<void()> OnExit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool hasRoomToType() const;

  bool cp1252Only_ = false;
  int typingLimit_ = -1;
  bool inExit_ = false;
};

// Character filters the forms share.
bool IsDigitKey(char16_t key);  // "0".."9"
inline constexpr char16_t kKeyEnter = 13;
inline constexpr char16_t kKeyBackspace = 8;

}  // namespace ui

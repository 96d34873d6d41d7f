#include "cli/JsonWriter.h"

#include <cstdio>

void JsonWriter::Key(std::string_view key) {
  if (!hasMembers_.empty()) {
    out_ << (hasMembers_.back() ? ",\n" : "\n") << std::string(2 * hasMembers_.size(), ' ');
    hasMembers_.back() = true;
  }
  if (!key.empty()) {
    Quoted(key);
    out_ << ": ";
  }
}

void JsonWriter::Open(std::string_view key, char bracket) {
  Key(key);
  out_ << bracket;
  hasMembers_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  const bool hadMembers = hasMembers_.back();
  hasMembers_.pop_back();
  if (hadMembers) out_ << '\n' << std::string(2 * hasMembers_.size(), ' ');
  out_ << bracket;
  if (hasMembers_.empty()) out_ << '\n';
}

void JsonWriter::Number(std::string_view key, int64_t value) {
  Key(key);
  out_ << value;
}

void JsonWriter::String(std::string_view key, std::string_view utf8) {
  Key(key);
  Quoted(utf8);
}

void JsonWriter::Quoted(std::string_view text) {
  out_ << '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ << '\\' << c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out_ << escaped;
    } else {
      out_ << c;
    }
  }
  out_ << '"';
}

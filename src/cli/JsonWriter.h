#pragma once
// A small streaming JSON writer: objects, arrays, numbers and UTF-8 strings, indented for people.

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject(std::string_view key = {}) { Open(key, '{'); }
  void EndObject() { Close('}'); }
  void BeginArray(std::string_view key = {}) { Open(key, '['); }
  void EndArray() { Close(']'); }
  void Number(std::string_view key, int64_t value);
  void Number(int64_t value) { Number({}, value); }
  void String(std::string_view key, std::string_view utf8);

 private:
  void Open(std::string_view key, char bracket);
  void Close(char bracket);
  void Key(std::string_view key);
  void Quoted(std::string_view text);

  std::ostream& out_;
  std::vector<bool> hasMembers_;  // one entry per open object or array
};

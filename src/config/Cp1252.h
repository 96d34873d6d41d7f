#pragma once
// Names in the record are Windows-1252 bytes; people and scripts see UTF-8.

#include <optional>
#include <string>
#include <string_view>

std::string Cp1252ToUtf8(std::string_view bytes);

// nullopt when the text holds a character Windows-1252 cannot encode (or is not valid UTF-8).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// The text of a NUL-terminated char field of at most `capacity` bytes.
std::string_view FieldText(const char* field, std::size_t capacity);

// Leading and trailing bytes of codes 0..32 removed (the trimming used on names).
std::string_view TrimBlanks(std::string_view text);

// Zero the first `zeroed` bytes of a name field, then copy at most `maxLen` bytes of `text` and a NUL.
void StoreName(char* field, std::size_t zeroed, std::size_t maxLen, std::string_view text);

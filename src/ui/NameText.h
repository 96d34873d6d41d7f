#pragma once
// Names travel as Windows-1252 bytes in the record and as QString in the edits.

#include <QString>
#include <cstddef>
#include <string>

namespace ui {

bool EncodableInCp1252(const QString& text);

// The text of a NUL-terminated Windows-1252 field of at most `capacity` bytes.
QString TextFromCp1252Field(const char* field, std::size_t capacity);
QString TextFromCp1252(const std::string& bytes);

// The Windows-1252 bytes of `text`; characters it cannot hold (never typed into a Cp1252 edit)
// become '?'.
std::string Cp1252FromText(const QString& text);

// Link and device messages: UTF-8 when valid, otherwise Windows-1252 bytes.
QString TextFromMessageBytes(const std::string& bytes);

}  // namespace ui

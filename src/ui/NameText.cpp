#include "ui/NameText.h"

#include <QStringDecoder>

#include "config/Cp1252.h"

namespace ui {

bool EncodableInCp1252(const QString& text) { return Utf8ToCp1252(text.toStdString()).has_value(); }

QString TextFromCp1252Field(const char* field, std::size_t capacity) {
  return QString::fromStdString(Cp1252ToUtf8(FieldText(field, capacity)));
}

QString TextFromCp1252(const std::string& bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::string Cp1252FromText(const QString& text) {
  if (auto whole = Utf8ToCp1252(text.toStdString())) return *whole;
  std::string bytes;
  for (const QChar c : text) {
    const auto one = Utf8ToCp1252(QString(c).toStdString());
    bytes += one && one->size() == 1 ? *one : std::string("?");
  }
  return bytes;
}

QString TextFromMessageBytes(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return utf8.hasError() ? TextFromCp1252(bytes) : text;
}

}  // namespace ui

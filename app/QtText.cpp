#include "app/QtText.h"

#include "support/Windows1252.h"

using namespace spekulor::support;

QString FromWindows1252(const std::string& bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text.append(QChar(static_cast<char16_t>(Windows1252ToCodePoint(byte))));
  }
  return text;
}

std::string ToWindows1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text.at(i).unicode();
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text.at(i + 1).unicode())) {
      ++i;  // one character outside the code page: one '?'
      bytes += '?';
      continue;
    }
    bytes += CodePointToWindows1252(unit);
  }
  return bytes;
}

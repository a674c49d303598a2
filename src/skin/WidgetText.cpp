#include "skin/WidgetText.h"

#include <QByteArray>
#include <array>
#include <cstddef>

namespace lintavo {

namespace {

// The characters Windows-1252 gives the bytes 0x80 to 0x9F; from 0xA0 on it agrees with
// Latin-1, whose characters have the numbers of their bytes. The undefined bytes keep their
// numbers too, as C1 controls.
constexpr std::array<char16_t, 32> kWindows1252From80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char16_t Windows1252Character(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kWindows1252From80[byte - 0x80] : char16_t{byte};
}

struct Utf8Sequence {
  char32_t codePoint = 0;
  std::size_t length = 0;  // 0: no well-formed sequence
};

// The well-formed UTF-8 sequence at the start of `bytes` (Unicode's table of well-formed byte
// sequences: no overlong forms, no surrogates, nothing above U+10FFFF).
Utf8Sequence Utf8SequenceAt(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes.front());
  if (lead < 0x80) {
    return {lead, 1};
  }
  Utf8Sequence sequence;
  // The range the second byte must lie in; the others lie in 80 to BF.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    sequence = {lead & 0x1Fu, 2};
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    sequence = {lead & 0x0Fu, 3};
    low = lead == 0xE0 ? 0xA0 : low;
    high = lead == 0xED ? 0x9F : high;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    sequence = {lead & 0x07u, 4};
    low = lead == 0xF0 ? 0x90 : low;
    high = lead == 0xF4 ? 0x8F : high;
  } else {
    return {};
  }
  if (bytes.size() < sequence.length) {
    return {};
  }
  for (std::size_t i = 1; i < sequence.length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[i]);
    if (next < low || next > high) {
      return {};
    }
    low = 0x80;
    high = 0xBF;
    sequence.codePoint = (sequence.codePoint << 6) | (next & 0x3Fu);
  }
  return sequence;
}

}  // namespace

QString ToWidgetText(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  while (!bytes.empty()) {
    const Utf8Sequence sequence = Utf8SequenceAt(bytes);
    if (sequence.length == 0) {
      text.append(QChar(Windows1252Character(static_cast<unsigned char>(bytes.front()))));
      bytes.remove_prefix(1);
      continue;
    }
    if (QChar::requiresSurrogates(sequence.codePoint)) {
      text.append(QChar(QChar::highSurrogate(sequence.codePoint)));
      text.append(QChar(QChar::lowSurrogate(sequence.codePoint)));
    } else {
      text.append(QChar(static_cast<char16_t>(sequence.codePoint)));
    }
    bytes.remove_prefix(sequence.length);
  }
  return text;
}

std::string FromWidgetText(const QString& text) {
  return text.toUtf8().toStdString();
}

std::string FromWidgetText(const QString& text, const std::string& original) {
  return text == ToWidgetText(original) ? original : FromWidgetText(text);
}

}  // namespace lintavo

#include "ui/cp1252.h"

#include <QStringDecoder>
#include <array>

namespace dlg::ui {

namespace {

// 0x80 to 0x9F; everything else is the code point of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

QChar ByteToChar(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return QChar(kHighControls[byte - 0x80]);
  return QChar(static_cast<char16_t>(byte));
}

std::optional<unsigned char> CharToByte(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == u) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

QString BytesToText(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (char b : bytes) *out++ = ByteToChar(static_cast<unsigned char>(b));
  return text;
}

std::string TextToBytes(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) bytes.push_back(static_cast<char>(CharToByte(c).value_or('?')));
  return bytes;
}

QString DisplayText(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  QString decoded = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return decoded;
  return BytesToText(bytes);
}

}  // namespace dlg::ui

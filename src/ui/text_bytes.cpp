#include "ui/text_bytes.h"

#include <QStringDecoder>
#include <array>

#include "dialogue/cp1252.h"

namespace dlg::ui {

QChar ByteToChar(unsigned char byte) { return QChar(Cp1252CodePoint(byte)); }

std::optional<unsigned char> CharToByte(QChar c) { return Cp1252Byte(c.unicode()); }

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

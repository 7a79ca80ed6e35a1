// ReadField and ScanField called over and over until the bytes run out, each call checked
// against a plain search for where its field must end.

#include "dialogue/record_reader.h"
#include "fuzz_check.h"
#include "reference_readers.h"

namespace {

using namespace dlg;

void CheckReadFields(const std::string& bytes) {
  CharSource src(bytes);
  std::string fieldValue = "stale";
  Char fieldChar = 'x';
  for (;;) {
    const std::size_t pos = src.Position();
    const Char before = fieldChar;
    ReadField(src, fieldValue, fieldChar);
    fuzz::CheckInBounds(src);
    FUZZ_CHECK(!fuzz::Holds(fieldValue, '}') && !fuzz::Holds(fieldValue, '\r'));
    if (pos == bytes.size()) {
      // At the end nothing is read and the character in hand stays.
      FUZZ_CHECK(fieldValue.empty() && fieldChar == before && src.Position() == pos);
      return;
    }
    const char opener = bytes[pos];
    if (opener == '\r' || opener == '}') {
      FUZZ_CHECK(fieldValue.empty() && fieldChar == static_cast<unsigned char>(opener));
      FUZZ_CHECK(src.Position() == pos + 1);
      continue;
    }
    const std::size_t stop = bytes.find_first_of("}\r", pos + 1);
    const std::size_t end = stop == std::string::npos ? bytes.size() : stop;
    FUZZ_CHECK(fieldValue == bytes.substr(pos + 1, end - pos - 1));
    FUZZ_CHECK(src.Position() == (stop == std::string::npos ? end : end + 1));
    // The last character read: the "}" or CR that ended the field, or the file's last byte.
    const char last = stop == std::string::npos ? bytes.back() : bytes[stop];
    FUZZ_CHECK(fieldChar == static_cast<unsigned char>(last));
  }
}

void CheckScanFields(const std::string& bytes) {
  CharSource src(bytes);
  Char ch = kNoChar;
  while (!src.AtEnd()) {
    const std::size_t pos = src.Position();
    std::string text = "pre";
    const bool complete = ScanField(src, ch, text);
    fuzz::CheckInBounds(src);
    FUZZ_CHECK(text.compare(0, 3, "pre") == 0);
    text.erase(0, 3);
    FUZZ_CHECK(!fuzz::Holds(text, '}'));
    if (bytes[pos] == '}') {
      FUZZ_CHECK(complete && text.empty() && src.Position() == pos + 1 && ch == kClose);
      continue;
    }
    const std::size_t close = bytes.find('}', pos + 1);
    if (close == std::string::npos) {
      FUZZ_CHECK(!complete && src.Position() == bytes.size());
      FUZZ_CHECK(text == bytes.substr(pos + 1));
      return;
    }
    FUZZ_CHECK(complete && ch == kClose && src.Position() == close + 1);
    FUZZ_CHECK(text == bytes.substr(pos + 1, close - pos - 1));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = fuzz::Bytes(data, size);
  CheckReadFields(bytes);
  CheckScanFields(bytes);
  return 0;
}

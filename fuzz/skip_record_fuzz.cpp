// SkipToNextRecord from anywhere in any bytes, with any character in hand, against where the
// next record must begin. The first two bytes give the starting point, the third the character.

#include "fuzz_check.h"
#include "reference_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace dlg;
  if (size < 3) return 0;
  const std::string bytes = fuzz::Bytes(data + 3, size - 3);
  const std::size_t start = (data[0] | (std::size_t{data[1]} << 8)) % (bytes.size() + 1);
  CharSource src = fuzz::SourceAt(bytes, start);
  const Char entry = data[2];
  Char currentChar = entry;

  const bool complete = SkipToNextRecord(src, currentChar);
  fuzz::CheckInBounds(src);

  // The CR in hand on entry does not count: the search starts at the next byte.
  const std::size_t cr = bytes.find('\r', start);
  if (cr == std::string::npos || cr + 1 >= bytes.size()) {
    FUZZ_CHECK(!complete && src.Position() == bytes.size());
    return 0;
  }
  FUZZ_CHECK(complete);
  if (cr + 2 == bytes.size()) {
    // The file ends after the LF: the LF stays in hand.
    FUZZ_CHECK(src.Position() == bytes.size());
    FUZZ_CHECK(currentChar == static_cast<unsigned char>(bytes[cr + 1]));
  } else {
    FUZZ_CHECK(src.Position() == cr + 3);
    FUZZ_CHECK(currentChar == static_cast<unsigned char>(bytes[cr + 2]));
  }
  return 0;
}

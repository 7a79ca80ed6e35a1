// FindRecords over any bytes and any needle, held to a search of each field in turn: the first
// byte of the input is the needle's length, the needle follows, the file is the rest.

#include "check/folded_search.h"
#include "check/views.h"
#include "fuzz_check.h"

namespace {

using namespace dlg;

bool ModelHolds(std::string_view field, std::string_view needle) {
  for (std::size_t at = 0; at + needle.size() <= field.size(); ++at) {
    std::size_t i = 0;
    while (i < needle.size() && check::kFoldCase[static_cast<unsigned char>(field[at + i])] ==
                                    check::kFoldCase[static_cast<unsigned char>(needle[i])])
      ++i;
    if (i == needle.size()) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(data[0] % 16, size - 1);
  const std::string needle = fuzz::Bytes(data + 1, n);
  const std::string bytes = fuzz::Bytes(data + 1 + n, size - 1 - n);
  const Conversation c = ReadConversation(bytes);
  const std::vector<check::FoundAt> places = check::FindRecords(c, needle);
  std::size_t k = 0;
  for (std::size_t r = 0; r < c.records.size() && !needle.empty(); ++r) {
    const Fields f = c.records[r].Fields();
    for (std::string_view Fields::*field : {&Fields::maleText, &Fields::femaleText,
                                            &Fields::conditionFlags, &Fields::executionFlags}) {
      if (!ModelHolds(f.*field, needle)) continue;
      FUZZ_CHECK(k < places.size());
      FUZZ_CHECK(places[k].record == static_cast<int>(r) && places[k].field == field);
      FUZZ_CHECK(check::FoundText(c, places[k]).starts_with(std::string(f.lineNumber) + "  "));
      ++k;
      break;
    }
  }
  FUZZ_CHECK(k == places.size());
  return 0;
}

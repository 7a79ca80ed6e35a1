// The vector kernels under ReadConversation and FindText: every kernel this processor runs must
// find what a byte-by-byte look finds, over texts whose bytes sit on both sides of every edge of
// the blocks the kernels compare at once.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/folded_search.h"
#include "check/views.h"
#include "dialogue/byte_places.h"

namespace dlg::check {
namespace {

// A text of `size` bytes from a few that matter, in a fixed order that repeats seldom.
std::string Mixed(std::size_t size, std::string_view alphabet) {
  std::string out;
  unsigned state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245 + 12345;
    out += alphabet[(state >> 16) % alphabet.size()];
  }
  return out;
}

std::string EveryByte(int times) {
  std::string out;
  for (int t = 0; t < times; ++t)
    for (int b = 0; b < 256; ++b) out += static_cast<char>(b);
  return out;
}

struct Text {
  const char* name;
  std::string bytes;
};
void PrintTo(const Text& t, std::ostream* os) { *os << t.name; }

const Text kTexts[] = {
    {"Empty", ""},
    {"OneBlockLessOne", std::string(63, '}')},
    {"OneBlock", std::string(64, '}')},
    {"OneBlockAndOne", std::string(65, '}')},
    {"Records", "{1}{Hi.}{}{}{}{}{}\r\n{2}{To 1.}{}{}{}{1}{}\r{3}{}{}{}{}{}{}\n"},
    {"EveryByte", EveryByte(3)},
    {"DenseAndSparse",
     std::string(200, '}') + std::string(300, 'x') + "\r\n" + std::string(90, '\n')},
    {"Mixed", Mixed(5000, "}}\r\nab{eE")},
};

class KernelTest : public testing::TestWithParam<Text> {};

std::vector<std::size_t> PlacesByteByByte(std::string_view text) {
  std::vector<std::size_t> places;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '}' || text[i] == '\r' || text[i] == '\n')
      places.push_back(i | (text[i] == '}' ? kClosePlace : 0));
  return places;
}

// Each kernel in batches as the scanner asks for them (here: at least 100 places a call).
TEST_P(KernelTest, EveryKernelFindsEachPlace) {
  const std::string& text = GetParam().bytes;
  for (const PlacesKernel& kernel : PlacesKernels()) {
    std::vector<std::size_t> got;
    std::size_t scanned = 0;
    std::vector<std::uint32_t> batch(100 + 64);
    while (text.size() - scanned >= 64) {
      std::size_t count = 0;
      kernel.find(text.data(), text.size(), scanned, batch.data(), count, 100);
      got.insert(got.end(), batch.begin(), batch.begin() + static_cast<long>(count));
    }
    std::size_t count = 0;
    FindPlacesInLastBytes(text.data(), text.size(), scanned, batch.data(), count);
    got.insert(got.end(), batch.begin(), batch.begin() + static_cast<long>(count));
    EXPECT_EQ(got, PlacesByteByByte(text)) << kernel.name;
    EXPECT_EQ(scanned, text.size()) << kernel.name;
  }
}

std::vector<std::size_t> MatchesByteByByte(std::string_view text, std::string_view needle) {
  std::vector<std::size_t> found;
  for (std::size_t at = 0; at + needle.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < needle.size() && kFoldCase[static_cast<unsigned char>(text[at + i])] ==
                                    kFoldCase[static_cast<unsigned char>(needle[i])])
      ++i;
    if (i == needle.size()) found.push_back(at);
  }
  return found;
}

// Needles of one byte and of many, of letters that fold and of bytes that do not.
TEST_P(KernelTest, EverySearchKernelFindsEachMatch) {
  const std::string& text = GetParam().bytes;
  for (const std::string& needle :
       {std::string("}"), std::string("E"), std::string("}\r\n"), std::string("ab{E"),
        std::string("\xFF"), std::string("\x9F\x00", 2), std::string(70, '}')}) {
    for (std::size_t k = 0; k < FoldedSearch::Kernels().size(); ++k) {
      const FoldedSearch search(needle, k);
      std::vector<std::size_t> got;
      for (std::size_t at = search.Next(text, 0); at != std::string_view::npos;
           at = search.Next(text, at + 1))
        got.push_back(at);
      EXPECT_EQ(got, MatchesByteByByte(text, needle))
          << FoldedSearch::Kernels()[k] << " needle size " << needle.size();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, KernelTest, testing::ValuesIn(kTexts),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace dlg::check

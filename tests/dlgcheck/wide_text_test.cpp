// Names between Windows' UTF-16 and UTF-8: every name Windows can hand dlgcheck.exe comes back
// as the same UTF-16, so that it opens the file it named.

#include "dlgcheck/wide_text.h"

#include <gtest/gtest.h>

namespace dlg::dlgcheck {
namespace {

struct NameCase {
  const char* name;
  std::u16string wide;
  std::string bytes;
  bool back = true;  // the bytes are UTF-8 (or WTF-8), made again from the wide name
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const NameCase kNames[] = {
    {"Ascii", u"talk.dlg", "talk.dlg"},
    {"Empty", u"", ""},
    {"TwoBytes", u"Schmied \u00f6", "Schmied \xc3\xb6"},
    {"ThreeBytes", u"\u20ac \u30c4", "\xe2\x82\xac \xe3\x83\x84"},
    {"LastOfThreeBytes", u"\uffff", "\xef\xbf\xbf"},
    // A surrogate pair is one code point of four bytes.
    {"Pair", u"a\U0001F600b", "a\xf0\x9f\x98\x80" "b"},
    {"LastCodePoint", u"\U0010FFFF", "\xf4\x8f\xbf\xbf"},
    // Lone surrogates are legal in Windows names: three bytes each, as WTF-8 has them.
    {"LoneHigh", u"a\xd800", "a\xed\xa0\x80"},
    {"LoneLowFirst", u"\xdc00\xd800", "\xed\xb0\x80\xed\xa0\x80"},
    {"HighBeforeNoLow", u"\xdbff" "x", "\xed\xaf\xbfx"},
    // Bytes that are no UTF-8: each byte that starts no sequence is one U+FFFD, and what follows
    // is read afresh.
    {"StrayContinuation", u"a\ufffdb", "a\x80" "b", false},
    {"Truncated", u"a\ufffd\ufffd", "a\xe2\x82", false},
    {"BrokenBySecondStart", u"\ufffd\u00f6", "\xc3\xc3\xb6", false},
    {"Overlong", u"\ufffd\ufffd", "\xc0\xaf", false},
    {"OverlongThree", u"\ufffd\ufffd\ufffd", "\xe0\x80\xaf", false},
    {"BeyondUnicode", u"\ufffd\ufffd\ufffd\ufffd", "\xf4\x90\x80\x80", false},
    {"FiveByteStart", u"\ufffd\ufffd\ufffd\ufffd\ufffd", "\xf8\x88\x80\x80\x80", false},
    {"Windows1252", u"Schmied \ufffd", "Schmied \xf6", false},
};
// clang-format on

class NameTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameTest, BothWays) {
  EXPECT_EQ(Utf16FromUtf8(GetParam().bytes), GetParam().wide);
  if (GetParam().back) {
    EXPECT_EQ(Utf8FromUtf16(GetParam().wide), GetParam().bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(Names, NameTest, testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::dlgcheck

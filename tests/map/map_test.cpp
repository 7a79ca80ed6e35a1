// The map: labels show the file's bytes as the editor does, whatever Graphviz would make of
// them, and a picture comes out in each format.

#include "map/map.h"

#include <gtest/gtest.h>

#include "check/conversation.h"

namespace dlg::map {
namespace {

struct LabelCase {
  const char* name;
  std::string bytes;
  std::string label;
};
void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

class LabelTest : public testing::TestWithParam<LabelCase> {};

TEST_P(LabelTest, ShowsTheBytesAsTheFileHoldsThem) {
  EXPECT_EQ(LabelText(GetParam().bytes, 12), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelTest,
    testing::Values(LabelCase{"Markup", "<b>&amp;\"", "&lt;b&gt;&amp;amp;&quot;"},
                    // Graphviz would put the node's name for \N, even in an HTML-like label.
                    LabelCase{"GraphvizEscapes", "\\N \\G {x}", "\\\\N \\\\G {x}"},
                    LabelCase{"Windows1252", "Caf\xE9 \x93x\x94",
                              "Caf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D"},
                    LabelCase{"ControlsAsPictures", std::string("\0\x1B\x7F", 3),
                              "\xE2\x90\x80\xE2\x90\x9B\xE2\x90\xA1"},
                    LabelCase{"CutShort", "abcdefghijklmnop", "abcdefghijkl..."}),
    [](const auto& info) { return info.param.name; });

const std::string kTricky =
    "{1}{Say \"\\N\" {<&amp;>}{}{}{}{}{}\r\n"
    "{2}{Caf\xE9?}{Oui}{8}{flag}{1}{}\r\n"
    "{3}{Lost.}{}{}{}{99}{}\r\n"
    "{4}{Bye.}{}{}{}{0}{}\r\n";

struct FormatCase {
  const char* name;
  const char* file;
  std::string start;  // the first bytes of the picture
};
void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class DrawTest : public testing::TestWithParam<FormatCase> {};

TEST_P(DrawTest, DrawsThePicture) {
  MapFormat format{};
  ASSERT_TRUE(FormatOf(GetParam().file, format));
  const std::string dot = MapDot(check::ReadConversation(kTricky));
  std::string image, error;
  ASSERT_TRUE(DrawMap(dot, format, image, error)) << error;
  EXPECT_EQ(image.substr(0, GetParam().start.size()), GetParam().start);
  if (format != MapFormat::Svg) return;
  // What the reader of the picture sees, in SVG's own escaping.
  for (const char* text : {"Say &quot;\\N&quot; {&lt;&amp;amp;&gt;", "Caf\xC3\xA9?",
                           "[F] [Int 8] [Cond]", "no such line", "END"}) {
    EXPECT_NE(image.find(text), std::string::npos) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, DrawTest,
                         testing::Values(FormatCase{"Svg", "map.svg", "<?xml"},
                                         FormatCase{"Png", "MAP.PNG", "\x89PNG\r\n"},
                                         FormatCase{"Dot", "map.dot", "digraph dialogue {"}),
                         [](const auto& info) { return info.param.name; });

TEST(MapTest, EveryLineAReplyANodeAndUnreachableGrey) {
  const std::string bytes = kTricky + "{10}{Alone.}{}{}{}{}{}\r\n{11}{Out.}{}{}{}{0}{}\r\n";
  const check::Conversation c = check::ReadConversation(bytes);
  const std::string dot = MapDot(c);
  int nodes = 0;
  ASSERT_TRUE(GraphvizReads(dot, nodes));
  EXPECT_EQ(nodes, 4);  // lines 1 and 10, the end, the missing 99
  // Line 10 is greyed; line 1 keeps the usual colours.
  auto nodeLine = [&](const std::string& id) {
    const std::size_t at = dot.find("  " + id + " [");
    return at == std::string::npos ? std::string() : dot.substr(at, dot.find('\n', at) - at);
  };
  EXPECT_NE(nodeLine("r4").find("fontcolor"), std::string::npos) << dot;
  EXPECT_EQ(nodeLine("r0").find("fontcolor"), std::string::npos) << dot;
}

// A long conversation whose last line leads back to the first: the arrow ends beside its reply
// in a node naming line 1, not across the whole map, and the forward arrows stay whole.
TEST(MapTest, ALongConversationLeadsBackThroughANodeNamingTheLine) {
  std::string bytes;
  for (int line = 1; line <= 40; ++line) {
    const std::string n = std::to_string(line * 10);
    bytes += "{" + n + "}{Line " + n + "}{}{}{}{}{}\r\n{" + std::to_string(line * 10 + 1) +
             "}{On.}{}{}{}{" + (line < 40 ? std::to_string(line * 10 + 10) : "10") + "}{}\r\n";
  }
  const std::string dot = MapDot(check::ReadConversation(bytes));
  EXPECT_EQ(dot.find("-> r0 "), std::string::npos) << dot;
  EXPECT_NE(dot.find("r2 -> r4 "), std::string::npos) << dot;
  EXPECT_NE(dot.find("  ref0 [label=<to 10>"), std::string::npos) << dot;
  EXPECT_NE(dot.find("r78 -> ref0 "), std::string::npos) << dot;
}

// Records without a number (broken files are what the map is for) keep their wording.
TEST(MapTest, ALineWithoutANumberKeepsItsWording) {
  const std::string bytes = "{}{Hello there}{}{}{}{}{}\r\n{}{Bye now}{}{}{}{0}{}\r\n";
  const std::string dot = MapDot(check::ReadConversation(bytes));
  std::string svg, error;
  ASSERT_TRUE(DrawMap(dot, MapFormat::Svg, svg, error)) << error;
  EXPECT_NE(svg.find("Hello there"), std::string::npos) << svg;
  EXPECT_NE(svg.find("Bye now"), std::string::npos) << svg;
}

}  // namespace
}  // namespace dlg::map

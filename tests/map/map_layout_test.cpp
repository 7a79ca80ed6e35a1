// The laid-out map as a view gets it: every node and arrow with its line, text and colours, and
// every point of it on the map.

#include "map/map_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dialogue/conversation.h"
#include "map/map.h"

namespace dlg::map {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += (out.empty() ? "" : " / ") + line;
  return out;
}

bool Inside(const MapLayout& m, MapPoint p) {
  return p.x >= 0 && p.y >= 0 && p.x <= m.width && p.y <= m.height;
}

// The layout in words, sorted: "[<line>] <label> <fill> <outline> <text>[ dashed]" a node,
// "<reply>: [<from line>] -> [<to line>] <label> <colour> <text colour>" an arrow. Checks on the
// way that every node, curve and label lies on the map.
std::vector<std::string> Described(const MapLayout& m) {
  std::vector<std::string> out;
  std::map<std::string, std::string> lines;
  for (const MapNode& n : m.nodes) {
    EXPECT_TRUE(Inside(m, n.centre) && n.width > 0 && n.height > 0 &&
                n.centre.x - n.width / 2 > -1 && n.centre.y + n.height / 2 < m.height + 1)
        << n.id;
    lines[n.id] = "[" + n.lineNumber + "]";
    out.push_back(lines[n.id] + " " + Joined(n.label) + " " + n.fillColour + " " + n.lineColour +
                  " " + n.fontColour + (n.dashed ? " dashed" : ""));
  }
  for (const MapEdge& e : m.edges) {
    EXPECT_EQ(e.points.size() % 3, 1u) << e.replyLine;
    for (MapPoint p : e.points) EXPECT_TRUE(Inside(m, p)) << e.replyLine;
    EXPECT_TRUE(Inside(m, e.arrowTip) && Inside(m, e.labelCentre)) << e.replyLine;
    out.push_back(e.replyLine + ": " + lines[e.from] + " -> " + lines[e.to] + " " +
                  Joined(e.label) + " " + e.colour + " " + e.fontColour);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> Described(const std::string& dot) {
  MapLayout layout;
  std::string error;
  EXPECT_TRUE(LayOutMap(dot, layout, error)) << error;
  return Described(layout);
}

struct LayoutCase {
  const char* name;
  std::string dialogue;
  std::vector<std::string> described;  // in any order
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class LayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, HandsTheViewEveryNodeAndArrow) {
  std::vector<std::string> described = GetParam().described;
  std::sort(described.begin(), described.end());
  EXPECT_EQ(Described(MapDot(ReadConversation(GetParam().dialogue))), described);
}

const char* const kPlain = " #fffdf5 #5b4a2f #000000";

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutTest,
    testing::Values(
        LayoutCase{"ThreeLines",
                   "{1}{Hi.}{}{}{}{}{}\r\n{2}{On.}{}{}{}{10}{}\r\n{3}{Bye.}{}{}{}{0}{}\r\n"
                   "{10}{Well?}{}{}{}{}{}\r\n{11}{Ask.}{Oui}{8}{f}{20}{}\r\n"
                   "{20}{Done.}{}{}{}{}{}\r\n",
                   {std::string("2: [1] -> [10] 2 On. #5b4a2f #000000"),
                    "3: [1] -> [] 3 Bye. #5b4a2f #000000",
                    "11: [10] -> [20] 11 Ask. / [F] [Int 8] [Cond] #5b4a2f #000000",
                    std::string("[1] 1 Hi.") + kPlain, std::string("[10] 10 Well?") + kPlain,
                    std::string("[20] 20 Done.") + kPlain, std::string("[] END") + kPlain}},
        // The red node names the number that leads nowhere; unreachable lines and their arrows
        // are grey.
        LayoutCase{
            "MissingAndUnreachable",
            "{1}{Hi.}{}{}{}{}{}\r\n{2}{Lost.}{}{}{}{99}{}\r\n{5}{Alone.}{}{}{}{}{}\r\n"
            "{6}{Back.}{}{}{}{1}{}\r\n",
            {"2: [1] -> [99] 2 Lost. #5b4a2f #000000", "6: [5] -> [1] 6 Back. #9a9a9a #9a9a9a",
             std::string("[1] 1 Hi.") + kPlain, "[5] 5 Alone. #e4e4e4 #9a9a9a #9a9a9a",
             "[99] 99 / no such line #ffe4e4 #ff0000 #ff0000"}},
        // Numbers and text come back as the file's bytes and as shown, whatever DOT makes of
        // quotes, backslashes, markup and bytes above 127.
        LayoutCase{"OddBytes",
                   "{\"\\%\xE9}{<b>&amp; \\N}{}{}{}{}{}\r\n{7 x}{Go.}{}{}{}{}{}\r\n",
                   {std::string("[\"\\%\xE9] \"\\%\xC3\xA9 <b>&amp; \\N") + kPlain,
                    "[7 x] 7 x Go. #e4e4e4 #9a9a9a #9a9a9a"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A chain of lines, 10, 20, ..., each leading to the next and the last back to the first.
std::string Chain(int lines = 40) {
  std::string bytes;
  for (int k = 1; k <= lines; ++k) {
    bytes += "{" + std::to_string(k * 10) + "}{Line.}{}{}{}{}{}\r\n{" + std::to_string(k * 10 + 1) +
             "}{On.}{}{}{}{" + std::to_string(k < lines ? k * 10 + 10 : 10) + "}{}\r\n";
  }
  return bytes;
}

struct AroundCase {
  const char* name;
  int record, distance;
  std::vector<std::string> lines;  // the NPC lines drawn
  std::vector<std::string> refs;   // the lines named by arrows out of the neighbourhood
};
void PrintTo(const AroundCase& c, std::ostream* os) { *os << c.name; }

class AroundTest : public testing::TestWithParam<AroundCase> {};

TEST_P(AroundTest, DrawsTheLinesWithinSomeRepliesEitherWay) {
  const std::string bytes = Chain();
  const Conversation c = ReadConversation(bytes);
  MapLayout layout;
  std::string error;
  ASSERT_TRUE(LayOutMap(MapDotAround(c, GetParam().record, GetParam().distance), layout, error))
      << error;
  std::vector<std::string> lines, refs;
  for (const MapNode& n : layout.nodes)
    (n.kind == NodeKind::Line ? lines : refs).push_back(n.lineNumber);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, GetParam().lines);
  EXPECT_EQ(refs, GetParam().refs);
  EXPECT_EQ(layout.edges.size(), lines.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AroundTest,
    testing::Values(AroundCase{"MidChain", 38, 2, {"180", "190", "200", "210", "220"}, {"230"}},
                    // A reply shows the neighbourhood of its own NPC line.
                    AroundCase{"FromAReply", 39, 2, {"180", "190", "200", "210", "220"}, {"230"}},
                    AroundCase{"OneReply", 38, 1, {"190", "200", "210"}, {"220"}},
                    // The last line leads back to the first: both are within one reply.
                    AroundCase{"AcrossTheLoop", 0, 2, {"10", "20", "30", "390", "400"}, {"40"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The largest maps place the wordings beside the arrows once the boxes stand.
TEST(LayOutMapTest, LargestMapsKeepEveryWordingBesideItsArrow) {
  const std::string bytes = Chain(500);
  MapLayout layout;
  std::string error;
  ASSERT_TRUE(LayOutMap(MapDot(ReadConversation(bytes)), layout, error)) << error;
  ASSERT_EQ(layout.edges.size(), 500u);
  for (const MapEdge& e : layout.edges) {
    EXPECT_EQ(Joined(e.label), e.replyLine + " On.");
    const auto near = [&](MapPoint p) {
      return std::abs(p.x - e.labelCentre.x) + std::abs(p.y - e.labelCentre.y) < 150;
    };
    EXPECT_TRUE(std::any_of(e.points.begin(), e.points.end(), near)) << e.replyLine;
  }
}

TEST(LayOutMapTest, RefusesWhatGraphvizCannotRead) {
  MapLayout layout;
  std::string error;
  EXPECT_FALSE(LayOutMap("digraph {", layout, error));
  EXPECT_EQ(error, "Graphviz could not read the graph");
}

}  // namespace
}  // namespace dlg::map

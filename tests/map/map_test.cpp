// The map as its reader sees it: the boxes, circles and arrows of the SVG picture with their
// texts and colours, whatever the graph looked like on its way to Graphviz; and the laid-out map
// as a view gets it, every node and arrow with its line, text and colours, and every point of it
// on the map.

#include "map/map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "dialogue/conversation.h"
#include "dialogue/cp1252.h"
#include "map/map_layout.h"

namespace dlg::map {
namespace {

std::string Unescaped(const std::string& xml) {
  static const std::map<std::string, std::string> kNamed = {
      {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
  std::string out;
  for (std::size_t i = 0, semi; i < xml.size(); ++i) {
    if (xml[i] != '&' || (semi = xml.find(';', i)) == std::string::npos) {
      out += xml[i];
      continue;
    }
    const std::string name = xml.substr(i + 1, semi - i - 1);
    if (kNamed.count(name)) out += kNamed.at(name);
    if (name[0] == '#') AppendUtf8(out, static_cast<char16_t>(std::stoi(name.substr(1))));
    i = semi;
  }
  return out;
}

// A text element as an SVG renderer sets it: blanks at either end dropped, a no-break space shown.
std::string AsShown(const std::string& xml) {
  std::string text = Unescaped(xml);
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  for (std::size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;) text.replace(at, 2, " ");
  return text;
}

// The picture in words, sorted: "<colour> <box|circle|text>[ dashed]: <text>" a node,
// "<colour>: <from> -> <to>: <label>" an arrow, its ends named by their text; lines of a text
// joined by " / ". Graphviz writes one element a line: a group per node or arrow, its title, its
// outline, then its texts.
std::vector<std::string> Picture(const std::string& dialogue) {
  std::string svg, error;
  EXPECT_TRUE(DrawMap(MapDot(ReadConversation(dialogue)), MapFormat::Svg, svg, error)) << error;
  static const std::regex kGroup("<g id=\"(node|edge)\\d+\""), kTitle("<title>(.*)</title>"),
      kOutline("<(path|ellipse|polygon) fill=\"([^\"]*)\" stroke=\"([^\"]*)\""),
      kText("<text [^>]* y=\"([^\"]*)\"[^>]*?(?: fill=\"([^\"]*)\")?>(.*)</text>");
  // The map's own colours (fill, outline, text) by what they mean; any other shows as it is.
  static const std::map<std::string, std::string> kColours = {
      {"#fffdf5 #5b4a2f black", "plain"},  {"none #5b4a2f black", "plain"},
      {"#e4e4e4 #9a9a9a #9a9a9a", "grey"}, {"none #9a9a9a #9a9a9a", "grey"},
      {"#ffe4e4 red red", "red"},          {"#fffdf5 transparent black", "plain"}};
  struct Shape {
    bool arrow = false;
    std::string title, form = "text", colours, ink = "black", text, y;
  };
  std::vector<Shape> shapes;
  std::istringstream lines(svg);
  std::smatch m;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, m, kGroup)) {
      shapes.emplace_back().arrow = m[1] == "edge";
    } else if (shapes.empty()) {
      continue;
    } else if (std::regex_search(line, m, kTitle)) {
      shapes.back().title = Unescaped(m[1]);
    } else if (std::regex_search(line, m, kOutline) && shapes.back().colours.empty()) {
      shapes.back().colours = m[2].str() + " " + m[3].str();
      if (m[3] != "transparent") shapes.back().form = m[1] == "ellipse" ? "circle" : "box";
      if (line.find("stroke-dasharray") != std::string::npos) shapes.back().form += " dashed";
    } else if (std::regex_search(line, m, kText)) {
      Shape& s = shapes.back();
      s.text += (!s.y.empty() && s.y != m[1].str() ? " / " : "") + AsShown(m[3]);
      s.ink = m[2].matched ? m[2].str() : "black";
      s.y = m[1];
    }
  }
  std::map<std::string, std::string> names;
  for (const Shape& s : shapes) names[s.title] = s.text;
  std::vector<std::string> out;
  for (const Shape& s : shapes) {
    const std::string key = s.colours + " " + s.ink;
    const std::string colour = kColours.count(key) ? kColours.at(key) : key;
    const std::size_t to = s.title.find("->");
    out.push_back(s.arrow ? colour + ": " + names[s.title.substr(0, to)] + " -> " +
                                names[s.title.substr(to + 2)] + ": " + s.text
                          : colour + " " + s.form + ": " + s.text);
  }
  std::sort(out.begin(), out.end());
  return out;
}

// A dialogue and what the map makes of it: the picture as Picture() tells it, sorted, or the
// layout as Described() tells it, in any order.
struct MapCase {
  const char* name;
  std::string dialogue;
  std::vector<std::string> map;
};
void PrintTo(const MapCase& c, std::ostream* os) { *os << c.name; }

class PictureTest : public testing::TestWithParam<MapCase> {};

TEST_P(PictureTest, DrawsTheConversation) {
  EXPECT_EQ(Picture(GetParam().dialogue), GetParam().map);
}

// One NPC line whose wording is `bytes`, and the picture of its box.
MapCase Wording(const char* name, const std::string& bytes, const std::string& shown) {
  return {name, "{1}{" + bytes + "}{}{}{}{}{}\r\n", {"plain box: 1 " + shown}};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureTest,
    testing::Values(
        // The file's bytes as the editor shows them, whatever Graphviz or SVG make of them.
        Wording("Markup", "<b>&amp;\"'", "<b>&amp;\"'"),
        Wording("GraphvizEscapes", "\\N \\G {x", "\\N \\G {x"),
        Wording("Windows1252", "Caf\xE9 \x93x\x94", "Caf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D"),
        // Control characters have no glyph: their pictures; a byte the table leaves unassigned
        // is a replacement character.
        Wording("ControlsAsPictures", std::string("a\0\x1B\x7F\x81", 5),
                "a\xE2\x90\x80\xE2\x90\x9B\xE2\x90\xA1\xEF\xBF\xBD"),
        Wording("CutShort", std::string(40, 'w'), std::string(36, 'w') + "..."),
        MapCase{"NeitherNumberNorWording", "{}{}{}{}{}{}{}\r\n", {"plain box:  "}},
        MapCase{"EveryKindOfNodeAndArrow",
                "{1}{Well?}{}{}{}{}{}\r\n"
                "{2}{Again.}{Oui}{8}{flag}{1}{}\r\n"
                "{3}{Lost.}{}{}{}{99}{}\r\n"
                "{4}{Bye.}{}{}{}{0}{}\r\n"
                "{5}{Odd.}{}{}{}{3}{}\r\n"
                "{10}{Alone.}{}{}{}{}{}\r\n"
                "{11}{Out.}{}{}{}{0}{}\r\n",
                {"grey box: 10 Alone.", "grey: 10 Alone. -> END: 11 Out.", "plain box: 1 Well?",
                 "plain circle: END", "plain circle: reply 3",
                 "plain: 1 Well? -> 1 Well?: 2 Again. / [F] [Int 8] [Cond]",
                 "plain: 1 Well? -> 99 / no such line: 3 Lost.", "plain: 1 Well? -> END: 4 Bye.",
                 "plain: 1 Well? -> reply 3: 5 Odd.", "red box: 99 / no such line"}},
        // Lookups compare numbers as text: "6" stops at 60 and never reaches line 6.
        MapCase{"ALineTheLookupNeverFinds",
                "{1}{Hi.}{}{}{}{}{}\r\n{2}{Go.}{}{}{}{6}{}\r\n{60}{Sixty.}{}{}{}{}{}\r\n"
                "{6}{Six.}{}{}{}{}{}\r\n",
                {"grey box: 6 Six.", "grey box: 60 Sixty.", "plain box: 1 Hi.",
                 "plain: 1 Hi. -> 6 / not found: 2 Go.", "red box: 6 / not found"}},
        MapCase{"RepliesBeforeTheFirstNpcLine",
                "{1}{Early.}{}{}{}{0}{}\r\n{2}{Hi.}{}{}{}{}{}\r\n",
                {"grey box: 2 Hi.", "plain circle: END", "plain text: before the first NPC line",
                 "plain: before the first NPC line -> END: 1 Early."}},
        // Broken files are what the map is for: a record without a number keeps its wording.
        MapCase{
            "LinesWithoutANumber",
            "{}{Hello there}{}{}{}{}{}\r\n{}{Bye now}{}{}{}{0}{}\r\n",
            {"plain box: Hello there", "plain circle: END", "plain: Hello there -> END: Bye now"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A chain of lines, 10, 20, ..., each leading to the next and the last back to the first; with
// `bye`, each line has a second reply that ends the conversation.
std::string Chain(int lines, bool bye = false) {
  std::string bytes;
  for (int k = 1; k <= lines; ++k) {
    const std::string n = std::to_string(k * 10);
    bytes += "{" + n + "}{Line " + n + "}{}{}{}{}{}\r\n{" + std::to_string(k * 10 + 1) +
             "}{On.}{}{}{}{" + std::to_string(k < lines ? k * 10 + 10 : 10) + "}{}\r\n";
    if (bye) bytes += "{" + std::to_string(k * 10 + 2) + "}{Bye.}{}{}{}{0}{}\r\n";
  }
  return bytes;
}

// A long conversation whose last line leads back to the first: that arrow ends beside its reply
// in a dashed node naming line 1, not across the whole map, each line has its own END, and the
// arrows forward still join the boxes.
TEST(LongMapTest, ArrowsBackUpTheMapEndInANodeNamingTheLine) {
  const std::vector<std::string> picture = Picture(Chain(40, true));
  const auto count = [&](const std::string& prefix) {
    return std::count_if(picture.begin(), picture.end(),
                         [&](const std::string& s) { return s.starts_with(prefix); });
  };
  EXPECT_EQ(count("plain box: "), 40);
  EXPECT_EQ(count("plain circle: END"), 40);
  EXPECT_EQ(count("plain box dashed: to 10"), 1);
  EXPECT_EQ(count("plain: 400 Line 400 -> to 10: 401 On."), 1);
  EXPECT_EQ(count("plain: 10 Line 10 -> 20 Line 20: 11 On."), 1);
  EXPECT_EQ(count("plain: 400 Line 400 -> 10 "), 0);
}

// The name's ending, in either case, chooses the format (.svg and .dot: dlgcheck's cli_test).
TEST(FormatTest, TheNameChoosesTheFormat) {
  MapFormat format{};
  std::string image, error;
  ASSERT_TRUE(FormatOf("MAP.PNG", format));
  ASSERT_TRUE(DrawMap(MapDot(ReadConversation(std::string_view("{1}{Hi.}{}{}{}{}{}\r\n"))), format,
                      image, error))
      << error;
  EXPECT_EQ(image.substr(0, 6), "\x89PNG\r\n");
}

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

MapLayout LaidOut(const std::string& dot) {
  MapLayout layout;
  std::string error;
  EXPECT_TRUE(LayOutMap(dot, layout, error)) << error;
  return layout;
}

class LayoutTest : public testing::TestWithParam<MapCase> {};

TEST_P(LayoutTest, HandsTheViewEveryNodeAndArrow) {
  std::vector<std::string> described = GetParam().map;
  std::sort(described.begin(), described.end());
  EXPECT_EQ(Described(LaidOut(MapDot(ReadConversation(GetParam().dialogue)))), described);
}

const char* const kPlain = " #fffdf5 #5b4a2f #000000";

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutTest,
    testing::Values(
        MapCase{"ThreeLines",
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
        MapCase{"MissingAndUnreachable",
                "{1}{Hi.}{}{}{}{}{}\r\n{2}{Lost.}{}{}{}{99}{}\r\n{5}{Alone.}{}{}{}{}{}\r\n"
                "{6}{Back.}{}{}{}{1}{}\r\n",
                {"2: [1] -> [99] 2 Lost. #5b4a2f #000000", "6: [5] -> [1] 6 Back. #9a9a9a #9a9a9a",
                 std::string("[1] 1 Hi.") + kPlain, "[5] 5 Alone. #e4e4e4 #9a9a9a #9a9a9a",
                 "[99] 99 / no such line #ffe4e4 #ff0000 #ff0000"}},
        // Numbers and text come back as the file's bytes and as shown, whatever DOT makes of
        // quotes, backslashes, markup and bytes above 127.
        MapCase{"OddBytes",
                "{\"\\%\xE9}{<b>&amp; \\N}{}{}{}{}{}\r\n{7 x}{Go.}{}{}{}{}{}\r\n",
                {std::string("[\"\\%\xE9] \"\\%\xC3\xA9 <b>&amp; \\N") + kPlain,
                 "[7 x] 7 x Go. #e4e4e4 #9a9a9a #9a9a9a"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct AroundCase {
  const char* name;
  int record, distance;
  std::vector<std::string> lines;  // the NPC lines drawn
  std::vector<std::string> refs;   // the lines named by arrows out of the neighbourhood
};
void PrintTo(const AroundCase& c, std::ostream* os) { *os << c.name; }

class AroundTest : public testing::TestWithParam<AroundCase> {};

TEST_P(AroundTest, DrawsTheLinesWithinSomeRepliesEitherWay) {
  const std::string bytes = Chain(40);
  const MapLayout layout =
      LaidOut(MapDotAround(ReadConversation(bytes), GetParam().record, GetParam().distance));
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
  const MapLayout layout = LaidOut(MapDot(ReadConversation(bytes)));
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

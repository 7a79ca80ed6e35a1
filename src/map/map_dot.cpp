#include <algorithm>
#include <map>
#include <vector>

#include "dialogue/conversation.h"
#include "dialogue/cp1252.h"
#include "map/map.h"

namespace dlg::map {

namespace {

constexpr std::size_t kLineWords = 36;   // start of an NPC line's wording in its box
constexpr std::size_t kReplyWords = 28;  // start of a reply's wording on its arrow
// Up to this many NPC lines every arrow goes to the node it leads to, and the map has one end
// node. Beyond, arrows from all over a long conversation into one node made the map unreadable,
// and Graphviz lays out every long arrow as a chain of hidden nodes, one a rank: over a minute
// for 500 lines. So each line gets its own end and its own missing-line nodes, and an arrow that
// would run back up the map (to a line no deeper than its own, counted in replies from the
// start) ends in a small node naming the line instead.
constexpr int kWholeArrowsUpTo = 30;

const char* const kGrey = "#9a9a9a";

std::string NodeId(int record) { return "r" + std::to_string(record); }

// The line a node or arrow stands for, for a view that goes to it on a click. Graphviz ignores
// attributes it does not know, so the pictures stay as they are; the bytes are %-encoded so that
// no quote, backslash or byte above 127 reaches the DOT reader.
std::string LineAttribute(const char* name, std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = std::string(", ") + name + "=\"";
  for (const unsigned char ch : bytes) {
    if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) {
      out += static_cast<char>(ch);
    } else {
      out += {'%', kHex[ch >> 4], kHex[ch & 15]};
    }
  }
  return out + "\"";
}

// Between a bold number and its text: Graphviz's SVG sets each run in a text element of its own,
// and renderers drop a plain blank that leads one ("10A room"); a no-break space they keep.
constexpr char kNumberGap[] = "&#160;";

// Graphviz refuses an empty <B></B> and then shows the node's id instead of the whole label.
std::string Bold(std::string_view bytes, std::size_t limit) {
  return bytes.empty() ? std::string() : "<B>" + LabelText(bytes, limit) + "</B>";
}

// A record's number in bold, then its wording; a record without a number shows its wording alone,
// and one without either a blank: Graphviz shows the node's id for an empty label.
std::string Numbered(std::string_view number, std::string_view text, std::size_t limit) {
  if (number.empty()) return text.empty() ? kNumberGap : LabelText(text, limit);
  return Bold(number, 12) + kNumberGap + LabelText(text, limit);
}

std::string ReplyLabel(const Record& r) {
  const Fields& f = r.Fields();
  std::string label = Numbered(f.lineNumber, f.maleText, kReplyWords);
  std::string marks;
  if (!f.femaleText.empty()) marks += " [F]";
  if (!f.intCheck.empty()) marks += " [Int " + LabelText(f.intCheck, 8) + "]";
  if (!f.conditionFlags.empty()) marks += " [Cond]";
  if (!marks.empty()) label += "<BR/><I>" + marks.substr(1) + "</I>";
  return label;
}

// For each record drawn as a node, the fewest replies that lead to it from the conversation's
// start, or from the first line of a part that nothing leads to; -1 for records drawn as arrows.
std::vector<int> Depths(const Conversation& c) {
  const int n = static_cast<int>(c.records.size());
  std::vector<std::vector<int>> next(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    if (!c.records[i].npc && c.records[i].group != -1 && c.target[i].kind == TargetKind::Record) {
      next[c.records[i].group].push_back(c.target[i].record);
    }
  }
  std::vector<int> depth(static_cast<std::size_t>(n), -1);
  std::vector<int> queue;
  for (int root = 0; root < n; ++root) {
    if (!c.records[root].npc || depth[root] != -1) continue;
    depth[root] = 0;
    queue.assign(1, root);
    for (std::size_t at = 0; at < queue.size(); ++at) {
      for (int to : next[queue[at]]) {
        if (depth[to] != -1) continue;
        depth[to] = depth[queue[at]] + 1;
        queue.push_back(to);
      }
    }
  }
  return depth;
}

}  // namespace

std::string LabelText(std::string_view bytes, std::size_t limit) {
  std::string out;
  for (char ch : bytes.substr(0, limit)) {
    const char16_t cp = Cp1252CodePoint(static_cast<unsigned char>(ch));
    switch (cp) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\\':
        out += "\\\\";  // Graphviz substitutes \N and the like even in HTML-like labels
        break;
      default:
        // Control characters have no glyph and are not allowed in SVG: show their pictures.
        if (cp < 0x20) {
          AppendUtf8(out, static_cast<char16_t>(0x2400 + cp));
        } else if (cp == 0x7F) {
          AppendUtf8(out, 0x2421);
        } else if (cp >= 0x80 && cp <= 0x9F) {
          AppendUtf8(out, 0xFFFD);
        } else {
          AppendUtf8(out, cp);
        }
    }
  }
  if (bytes.size() > limit) out += "...";
  return out;
}

int NpcLines(const Conversation& c) {
  return static_cast<int>(
      std::count_if(c.records.begin(), c.records.end(), [](const Record& r) { return r.npc; }));
}

namespace {

// The NPC lines drawn, and whether the replies before the first one are; all when null.
struct Shown {
  std::vector<bool> lines;  // per record
  bool orphans = false;
};

// `items` takes the number of boxes and arrows.
std::string DotOf(const Conversation& c, const Shown* shown, int* items) {
  const auto drawn = [&](int group) {
    return !shown || (group == -1 ? shown->orphans : static_cast<bool>(shown->lines[group]));
  };
  const int lines =
      shown ? static_cast<int>(std::count(shown->lines.begin(), shown->lines.end(), true))
            : NpcLines(c);
  const bool whole = lines <= kWholeArrowsUpTo;
  const std::vector<char> reachable = Reachable(c);
  // The placement across the page stops improving after a fifth of its usual rounds on large
  // maps, and after a twentieth on the largest: its rounds grow with the map, and their cost
  // too (a map of 1,000 lines took 3.3 s at a fifth, 1.5 s at a twentieth).
  constexpr int kFewestRoundsFrom = 500;
  // On the largest maps an arrow's wording is placed beside it once the boxes stand, not laid
  // out as a hidden box of its own: Graphviz's placement then has a third of the boxes to move,
  // and a map of 1,000 lines is laid out in 0.8 s instead of 3.1 s. The wordings may crowd each
  // other where many arrows meet; on a map that large one zooms in to read them anyway.
  const char* const arrowLabel = lines < kFewestRoundsFrom ? " [label=<" : " [xlabel=<";
  std::string out =
      std::string(
          "digraph dialogue {\n"
          "  graph [rankdir=TB, nodesep=0.25, ranksep=0.45, ") +
      (whole                       ? ""
       : lines < kFewestRoundsFrom ? "nslimit=0.2, "
                                   : "nslimit=0.05, ") +
      "fontname=\"DejaVu Sans\"];\n"
      "  node [shape=box, style=\"rounded,filled\", fillcolor=\"#fffdf5\", color=\"#5b4a2f\", "
      "fontname=\"DejaVu Sans\", fontsize=10];\n"
      "  edge [color=\"#5b4a2f\", fontname=\"DejaVu Sans\", fontsize=8];\n";
  const int n = static_cast<int>(c.records.size());
  std::vector<std::string> ends;
  const std::vector<int> depth = whole ? std::vector<int>() : Depths(c);
  int refs = 0;
  bool orphans = false;
  std::map<int, bool> replyNodes;              // replies that a reply leads to
  std::map<std::string, std::string> missing;  // jump text -> node id
  std::string edges;
  int count = 0;
  for (int i = 0; i < n; ++i) {
    const Record& r = c.records[i];
    if (r.npc ? !drawn(i) : !drawn(r.group)) continue;
    const Fields f = r.Fields();
    if (r.npc) {
      out += "  " + NodeId(i) + " [label=<" + Numbered(f.lineNumber, f.maleText, kLineWords) + ">" +
             LineAttribute("dlg_line", f.lineNumber) +
             (reachable[i] ? ""
                           : std::string(", fillcolor=\"#e4e4e4\", color=\"") + kGrey +
                                 "\", fontcolor=\"" + kGrey + "\"") +
             "];\n";
      ++count;
      continue;
    }
    std::string from = r.group == -1 ? "orphans" : NodeId(r.group);
    orphans |= r.group == -1;
    std::string to;
    const Target& t = c.target[i];
    if (t.kind == TargetKind::End) {
      to = whole ? "end" : "end_" + from;
      if (ends.empty() || ends.back() != to) ends.push_back(to);
    } else if (t.kind == TargetKind::Record &&
               ((!whole && r.group != -1 && depth[t.record] <= depth[r.group]) ||
                (c.records[t.record].npc && !drawn(t.record)))) {
      // Also the arrows out of a neighbourhood: they end beside their reply, naming the line.
      to = "ref" + std::to_string(refs++);
      const std::string_view number = c.records[t.record].Fields().lineNumber;
      out += "  " + to + " [label=<to " + LabelText(number, 12) +
             ">, style=\"rounded,dashed\", fontsize=9" + LineAttribute("dlg_line", number) + "];\n";
      ++count;
    } else if (t.kind == TargetKind::Record) {
      to = NodeId(t.record);
      if (!c.records[t.record].npc) replyNodes[t.record] = true;
    } else {
      const std::string key = (whole ? "" : from + " ") + std::string(f.jumpLine);
      auto [it, added] = missing.try_emplace(key, "m" + std::to_string(missing.size()));
      to = it->second;
      if (added) {
        out += "  " + to + " [label=<" + Bold(f.jumpLine, 12) + "<BR/>" +
               (t.record != -1 ? "not found" : "no such line") + ">" +
               LineAttribute("dlg_line", f.jumpLine) +
               ", color=red, fontcolor=red, fillcolor=\"#ffe4e4\"];\n";
        ++count;
      }
    }
    edges +=
        "  " + from + " -> " + to + arrowLabel + ReplyLabel(r) + ">" +
        LineAttribute("dlg_reply", f.lineNumber) +
        (reachable[i] ? ""
                      : std::string(", color=\"") + kGrey + "\", fontcolor=\"" + kGrey + "\"") +
        "];\n";
    ++count;
  }
  for (const auto& [record, used] : replyNodes) {
    out += "  " + NodeId(record) + " [shape=ellipse, label=<reply " +
           LabelText(c.records[record].Fields().lineNumber, 12) + ">" +
           LineAttribute("dlg_line", c.records[record].Fields().lineNumber) + "];\n";
  }
  if (whole && !ends.empty()) ends.assign(1, "end");
  for (const std::string& end : ends) {
    out += "  " + end + " [label=\"END\", shape=doublecircle, fontsize=9];\n";
  }
  if (orphans) out += "  orphans [label=\"before the first NPC line\", shape=plaintext];\n";
  count += static_cast<int>(replyNodes.size() + ends.size()) + (orphans ? 1 : 0);
  if (items != nullptr) *items = count;
  return out + edges + "}\n";
}

}  // namespace

std::string MapDot(const Conversation& c, int* items) { return DotOf(c, nullptr, items); }

std::string WhyNotDrawn(const Conversation& c) {
  if (const int lines = NpcLines(c); lines > kMostLinesDrawn) {
    return std::to_string(lines) + " NPC lines are more than a map can show (at most " +
           std::to_string(kMostLinesDrawn) + ")";
  }
  int items = 0;
  MapDot(c, &items);
  if (items <= kMostItemsDrawn) return {};
  return std::to_string(items) + " boxes and arrows are more than a map can show (at most " +
         std::to_string(kMostItemsDrawn) + ")";
}

std::string MapDotAround(const Conversation& c, int record, int distance, int* items) {
  const int n = static_cast<int>(c.records.size());
  // Groups as nodes, the replies before the first NPC line as one more, numbered n.
  const auto groupOf = [&](int r) { return c.records[r].group == -1 ? n : c.records[r].group; };
  std::vector<std::vector<int>> next(static_cast<std::size_t>(n) + 1), back(next.size());
  for (int i = 0; i < n; ++i) {
    const Target& t = c.target[i];
    if (c.records[i].npc || t.kind != TargetKind::Record || !c.records[t.record].npc) continue;
    next[groupOf(i)].push_back(t.record);
    back[t.record].push_back(groupOf(i));
  }
  Shown shown{std::vector<bool>(static_cast<std::size_t>(n)), false};
  const auto show = [&](int g) {
    if (g == n) {
      shown.orphans = true;
    } else {
      shown.lines[g] = true;
    }
  };
  // Forward and backward separately: a line two replies before a line is shown, not every line
  // that one leads to as well.
  for (const auto* edges : {&next, &back}) {
    std::vector<int> dist(next.size(), -1), queue{record < 0 || record >= n ? n : groupOf(record)};
    dist[queue[0]] = 0;
    show(queue[0]);
    for (std::size_t at = 0; at < queue.size(); ++at) {
      if (dist[queue[at]] == distance) continue;
      for (int to : (*edges)[queue[at]]) {
        if (dist[to] != -1) continue;
        dist[to] = dist[queue[at]] + 1;
        queue.push_back(to);
        show(to);
      }
    }
  }
  return DotOf(c, &shown, items);
}

bool FormatOf(std::string_view path, MapFormat& format) {
  auto ends = [&](std::string_view ext) {
    if (path.size() <= ext.size()) return false;
    for (std::size_t i = 0; i < ext.size(); ++i) {
      const char c = path[path.size() - ext.size() + i];
      if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != ext[i]) return false;
    }
    return true;
  };
  if (ends(".svg")) return format = MapFormat::Svg, true;
  if (ends(".png")) return format = MapFormat::Png, true;
  if (ends(".dot")) return format = MapFormat::Dot, true;
  return false;
}

}  // namespace dlg::map

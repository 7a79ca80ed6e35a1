#include <algorithm>
#include <map>
#include <vector>

#include "check/conversation.h"
#include "dialogue/cp1252.h"
#include "map/map.h"

namespace dlg::map {

namespace {

using check::Conversation;
using check::Record;
using check::TargetKind;

constexpr std::size_t kLineWords = 36;   // start of an NPC line's wording in its box
constexpr std::size_t kReplyWords = 28;  // start of a reply's wording on its arrow
// Up to this many NPC lines the map has one end node. Beyond, each line gets its own: arrows
// from all over a long conversation into one node made the map unreadable, and Graphviz took
// over a minute to lay out 500 lines that way instead of a tenth of a second.
constexpr int kOneEndNodeUpTo = 30;

const char* const kGrey = "#9a9a9a";

std::string NodeId(int record) { return "r" + std::to_string(record); }

// Graphviz refuses an empty <B></B> and then shows the node's id instead of the whole label.
std::string Bold(std::string_view bytes, std::size_t limit) {
  return bytes.empty() ? std::string() : "<B>" + LabelText(bytes, limit) + "</B>";
}

std::string ReplyLabel(const Record& r) {
  const check::Fields& f = r.fields;
  std::string label = Bold(f.lineNumber, 12) + " " + LabelText(f.maleText, kReplyWords);
  std::string marks;
  if (!f.femaleText.empty()) marks += " [F]";
  if (!f.intCheck.empty()) marks += " [Int " + LabelText(f.intCheck, 8) + "]";
  if (!f.conditionFlags.empty()) marks += " [Cond]";
  if (!marks.empty()) label += "<BR/><I>" + marks.substr(1) + "</I>";
  return label;
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

std::string MapDot(const Conversation& c) {
  std::string out =
      "digraph dialogue {\n"
      "  graph [rankdir=TB, nodesep=0.25, ranksep=0.45, fontname=\"DejaVu Sans\"];\n"
      "  node [shape=box, style=\"rounded,filled\", fillcolor=\"#fffdf5\", color=\"#5b4a2f\", "
      "fontname=\"DejaVu Sans\", fontsize=10];\n"
      "  edge [color=\"#5b4a2f\", fontname=\"DejaVu Sans\", fontsize=8];\n";
  const int n = static_cast<int>(c.records.size());
  std::vector<std::string> ends;
  const bool oneEnd = std::count_if(c.records.begin(), c.records.end(),
                                    [](const Record& r) { return r.npc; }) <= kOneEndNodeUpTo;
  bool orphans = false;
  std::map<int, bool> replyNodes;              // replies that a reply leads to
  std::map<std::string, std::string> missing;  // jump text -> node id
  std::string edges;
  for (int i = 0; i < n; ++i) {
    const Record& r = c.records[i];
    if (r.npc) {
      out += "  " + NodeId(i) + " [label=<" + Bold(r.fields.lineNumber, 12) + " " +
             LabelText(r.fields.maleText, kLineWords) + ">" +
             (c.reachable[i] ? ""
                             : std::string(", fillcolor=\"#e4e4e4\", color=\"") + kGrey +
                                   "\", fontcolor=\"" + kGrey + "\"") +
             "];\n";
      continue;
    }
    std::string from = c.group[i] == -1 ? "orphans" : NodeId(c.group[i]);
    orphans |= c.group[i] == -1;
    std::string to;
    const check::Target& t = c.target[i];
    if (t.kind == TargetKind::End) {
      to = oneEnd ? "end" : "end_" + from;
      if (ends.empty() || ends.back() != to) ends.push_back(to);
    } else if (t.kind == TargetKind::Record) {
      to = NodeId(t.record);
      if (!c.records[t.record].npc) replyNodes[t.record] = true;
    } else {
      auto [it, added] =
          missing.try_emplace(std::string(r.fields.jumpLine), "m" + std::to_string(missing.size()));
      to = it->second;
      if (added) {
        out += "  " + to + " [label=<" + Bold(r.fields.jumpLine, 12) + "<BR/>" +
               (t.record != -1 ? "not found" : "no such line") +
               ">, color=red, fontcolor=red, fillcolor=\"#ffe4e4\"];\n";
      }
    }
    edges +=
        "  " + from + " -> " + to + " [label=<" + ReplyLabel(r) + ">" +
        (c.reachable[i] ? ""
                        : std::string(", color=\"") + kGrey + "\", fontcolor=\"" + kGrey + "\"") +
        "];\n";
  }
  for (const auto& [record, used] : replyNodes) {
    out += "  " + NodeId(record) + " [shape=ellipse, label=<reply " +
           LabelText(c.records[record].fields.lineNumber, 12) + ">];\n";
  }
  if (oneEnd && !ends.empty()) ends.assign(1, "end");
  for (const std::string& end : ends) {
    out += "  " + end + " [label=\"END\", shape=doublecircle, fontsize=9];\n";
  }
  if (orphans) out += "  orphans [label=\"before the first NPC line\", shape=plaintext];\n";
  return out + edges + "}\n";
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

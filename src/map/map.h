#pragma once
// The map of a whole conversation: each NPC line a box, each reply an arrow to the line it leads
// to, an end node for 0, a red node for each number that no lookup finds, unreachable lines
// grey. A long conversation gives each line its own end and red nodes, and an arrow back up the
// map ends in a node naming its line. Every node and arrow names the line it stands for in an
// attribute Graphviz ignores (dlg_line, dlg_reply), for a view to go to. Text is shown through the
// editor's Windows-1252 table.

#include <string>
#include <string_view>

#include "dialogue/conversation.h"

namespace dlg::map {

// A map of more NPC lines than this is not drawn: nobody reads it, and Graphviz's layout time
// grows faster than the conversation (9 s at 1,000 lines and 80 s at 2,000 on the two-core
// development machine).
constexpr int kMostLinesDrawn = 1000;
// Nor a map of more boxes and arrows than this, whatever its lines: Graphviz lays out each
// labelled arrow through a hidden node of its own, and a dense conversation of 300 lines with 30
// replies each (9,000 arrows) took 50 s. At this size a map is laid out in about 1.5 s.
constexpr int kMostItemsDrawn = 5500;
int NpcLines(const Conversation& c);
// Why the whole map of `c` is not drawn, as a clause after "cannot draw X: "; "" when it is.
std::string WhyNotDrawn(const Conversation& c);

// The graph in Graphviz's DOT language, every label an HTML-like label with the file's bytes
// escaped, so that quotes, backslashes, "{", "<", "&" and "\N" show as the file holds them.
// `items`, when given, takes the number of boxes and arrows.
std::string MapDot(const Conversation& c, int* items = nullptr);

// The map of the neighbourhood of one record's NPC line (the record's own, or the one its reply
// belongs to): every NPC line that leads to it, or that it leads to, in at most `distance`
// replies, drawn by the rules of MapDot for a map of that many lines. A reply out of the
// neighbourhood ends in a node naming its line; replies into it from lines beyond are left out.
// For conversations too long for a whole map.
std::string MapDotAround(const Conversation& c, int record, int distance = 2, int* items = nullptr);

// Label text for Graphviz: at most `limit` bytes of `bytes` (then "..."), escaped.
std::string LabelText(std::string_view bytes, std::size_t limit);

enum class MapFormat { Svg, Png, Dot };
// The format named by the file's extension, or false for any other.
bool FormatOf(std::string_view path, MapFormat& format);

// Lays the graph out with "dot" and renders it in `format`. Returns false with a reason in
// `error` when Graphviz cannot read or draw the graph.
bool DrawMap(const std::string& dot, MapFormat format, std::string& image, std::string& error);

}  // namespace dlg::map

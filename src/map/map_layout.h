#pragma once
// A map laid out by Graphviz for a view that draws it itself: where each node and arrow goes,
// what it says, its colours, and the line it stands for. The same layout as the pictures of
// DrawMap, from the same DOT text. Lengths in points, from the map's top left, y downward.

#include <string>
#include <vector>

namespace dlg::map {

struct MapPoint {
  double x = 0, y = 0;
};

enum class NodeKind { Line, Reply, End, Missing, Reference, BeforeFirstLine };

struct MapNode {
  std::string id;  // the node's name in the DOT text
  NodeKind kind = NodeKind::Line;
  // The line it stands for, as the file's bytes: an NPC line's or a reply's number, the number
  // a missing or reference node names; empty for END and the replies before the first line.
  std::string lineNumber;
  std::vector<std::string> label;  // its lines as shown, UTF-8, without the markup
  std::string shape;               // Graphviz's: box, ellipse, doublecircle, plaintext
  std::string fillColour, lineColour, fontColour;  // "#rrggbb"
  bool dashed = false;
  double fontSize = 0;
  MapPoint centre;
  double width = 0, height = 0;
};

struct MapEdge {
  std::string from, to;            // node ids
  std::string replyLine;           // the reply's number, as the file's bytes
  std::vector<std::string> label;  // as MapNode's
  MapPoint labelCentre;
  // A cubic B-spline, 3k + 1 control points, from the tail to where the arrowhead begins.
  std::vector<MapPoint> points;
  MapPoint arrowTip;
  std::string colour, fontColour;
  double fontSize = 0;
};

struct MapLayout {
  double width = 0, height = 0;
  std::vector<MapNode> nodes;
  std::vector<MapEdge> edges;
};

// Lays out `dot` (from MapDot or MapDotAround) with "dot". Returns false with a reason in
// `error` when Graphviz cannot read or lay out the graph. Safe to call from a worker thread:
// calls into Graphviz take turns.
bool LayOutMap(const std::string& dot, MapLayout& layout, std::string& error);

}  // namespace dlg::map

// The layout read back from Graphviz as the attributes it writes into a laid-out DOT file
// ("pos", "width", "lp", "bb"): the stable, documented form of its results, the same numbers that
// `dlgcheck --map x.dot` writes.

#include "map/map_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "map/graphviz.h"

namespace dlg::map {

namespace {

std::string Get(void* object, const char* name) {
  const char* value = agget(object, const_cast<char*>(name));
  return value ? value : "";
}

// Graphviz's names for the few colours the map uses by name.
std::string Colour(const std::string& value, const char* otherwise) {
  if (value.empty() || value == "black") return otherwise;
  if (value == "red") return "#ff0000";
  if (value == "white") return "#ffffff";
  return value;
}

double Number(void* object, const char* name, double otherwise) {
  const std::string value = Get(object, name);
  return value.empty() ? otherwise : std::strtod(value.c_str(), nullptr);
}

// Undoes the %-encoding of MapDot's line attributes.
std::string LineAttribute(void* object, const char* name) {
  const std::string value = Get(object, name);
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size()) {
      out += static_cast<char>(std::strtol(value.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      out += value[i];
    }
  }
  return out;
}

// The text lines of a label as MapDot writes it: HTML-like with <B>, <I> and <BR/>, the
// entities of LabelText, the no-break space after a number (a blank in the window), and "\\"
// for a backslash; or a plain string.
std::vector<std::string> LabelLines(void* object, const char* attribute = "label") {
  char* raw = agget(object, const_cast<char*>(attribute));
  std::vector<std::string> lines(1);
  if (!raw) return lines;
  if (!aghtmlstr(raw)) {
    lines[0] = raw;
    return lines;
  }
  static const struct {
    std::string_view entity, text;
  } kEntities[] = {{"&amp;", "&"},   {"&lt;", "<"},   {"&gt;", ">"},
                   {"&quot;", "\""}, {"&#160;", " "}, {"\\\\", "\\"}};
  const std::string_view html = raw;
  for (std::size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      const std::size_t close = html.find('>', i);
      if (html.substr(i, 3) == "<BR") lines.emplace_back();
      i = close == std::string_view::npos ? html.size() : close + 1;
      continue;
    }
    bool matched = false;
    for (const auto& [entity, text] : kEntities) {
      if (html.substr(i, entity.size()) == entity) {
        lines.back() += text;
        i += entity.size();
        matched = true;
        break;
      }
    }
    if (!matched) lines.back() += html[i++];
  }
  return lines;
}

NodeKind KindOf(const std::string& id, const std::string& shape) {
  if (id.starts_with("ref")) return NodeKind::Reference;
  if (id.starts_with("end")) return NodeKind::End;
  if (id.starts_with("m")) return NodeKind::Missing;
  if (id == "orphans") return NodeKind::BeforeFirstLine;
  return shape == "ellipse" ? NodeKind::Reply : NodeKind::Line;
}

// Graphviz's y grows upward from the bounding box's lower left.
struct Flip {
  double left = 0, top = 0;
  MapPoint operator()(double x, double y) const { return {x - left, top - y}; }
  bool Read(const char* text, MapPoint& p) const {
    double x = 0, y = 0;
    if (!text || std::sscanf(text, "%lf,%lf", &x, &y) != 2) return false;
    p = (*this)(x, y);
    return true;
  }
};

// "pos" of an edge: "[s,x,y ][e,x,y ]x,y x,y ...", one spline as MapDot asks for no merging.
void ReadSpline(const std::string& pos, const Flip& flip, MapEdge& edge) {
  std::size_t at = 0;
  while (at < pos.size() && pos[at] != ';') {
    const std::size_t end = std::min(pos.find_first_of(" ;", at), pos.size());
    const std::string item = pos.substr(at, end - at);
    MapPoint p;
    if (item.starts_with("e,")) {
      flip.Read(item.c_str() + 2, edge.arrowTip);
    } else if (!item.starts_with("s,") && flip.Read(item.c_str(), p)) {
      edge.points.push_back(p);
    }
    at = end < pos.size() && pos[end] == ' ' ? end + 1 : end;
  }
  if (!pos.starts_with("e,") && pos.find(" e,") == std::string::npos && !edge.points.empty())
    edge.arrowTip = edge.points.back();
}

}  // namespace

bool LayOutMap(const std::string& dot, MapLayout& layout, std::string& error) {
  const std::lock_guard<std::mutex> lock(graphviz::Lock());
  graphviz::Graph g = graphviz::Read(dot);
  if (!g) {
    error = "Graphviz could not read the graph";
    return false;
  }
  GVC_t* gvc = graphviz::Context();
  if (gvLayout(gvc, g.get(), "dot") != 0) {
    error = "Graphviz could not lay the graph out";
    return false;
  }
  // Rendering as "dot" with no file writes the layout into the graph's attributes.
  const bool rendered = gvRender(gvc, g.get(), "dot", nullptr) == 0;
  double box[4] = {0, 0, 0, 0};
  const std::string bb = Get(g.get(), "bb");
  if (!rendered ||
      std::sscanf(bb.c_str(), "%lf,%lf,%lf,%lf", &box[0], &box[1], &box[2], &box[3]) != 4) {
    gvFreeLayout(gvc, g.get());
    error = "Graphviz could not lay the graph out";
    return false;
  }
  const Flip flip{box[0], box[3]};
  layout = MapLayout{box[2] - box[0], box[3] - box[1], {}, {}};
  for (Agnode_t* n = agfstnode(g.get()); n; n = agnxtnode(g.get(), n)) {
    MapNode& node = layout.nodes.emplace_back();
    node.id = agnameof(n);
    node.shape = Get(n, "shape");
    node.kind = KindOf(node.id, node.shape);
    node.lineNumber = LineAttribute(n, "dlg_line");
    node.label = LabelLines(n);
    node.fillColour = Colour(Get(n, "fillcolor"), "#d3d3d3");  // Graphviz's own default
    node.lineColour = Colour(Get(n, "color"), "#000000");
    node.fontColour = Colour(Get(n, "fontcolor"), "#000000");
    node.dashed = Get(n, "style").find("dashed") != std::string::npos;
    node.fontSize = Number(n, "fontsize", 14);
    flip.Read(agget(n, const_cast<char*>("pos")), node.centre);
    node.width = Number(n, "width", 0) * 72;
    node.height = Number(n, "height", 0) * 72;
    for (Agedge_t* e = agfstout(g.get(), n); e; e = agnxtout(g.get(), e)) {
      MapEdge& edge = layout.edges.emplace_back();
      edge.from = agnameof(agtail(e));
      edge.to = agnameof(aghead(e));
      edge.replyLine = LineAttribute(e, "dlg_reply");
      // The largest maps place an arrow's wording beside it (see MapDot).
      const bool beside = !Get(e, "xlabel").empty();
      edge.label = LabelLines(e, beside ? "xlabel" : "label");
      flip.Read(agget(e, const_cast<char*>(beside ? "xlp" : "lp")), edge.labelCentre);
      ReadSpline(Get(e, "pos"), flip, edge);
      edge.colour = Colour(Get(e, "color"), "#000000");
      edge.fontColour = Colour(Get(e, "fontcolor"), "#000000");
      edge.fontSize = Number(e, "fontsize", 14);
    }
  }
  gvFreeLayout(gvc, g.get());
  return true;
}

}  // namespace dlg::map

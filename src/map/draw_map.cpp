// The one place that calls Graphviz: layout and rendering in this process, no other program.

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <memory>

#include "map/map.h"

namespace dlg::map {

namespace {

struct GraphCloser {
  void operator()(Agraph_t* g) const { agclose(g); }
};
using Graph = std::unique_ptr<Agraph_t, GraphCloser>;

Graph Read(const std::string& dot) {
  // Graphviz reports parse errors on standard error itself; the caller says what failed.
  agseterr(AGMAX);
  return Graph(agmemread(dot.c_str()));
}

// One context for the life of the process: Graphviz 2.42 keeps a font cache beyond a freed
// context, and the next one read freed memory (AddressSanitizer, second map in one process).
GVC_t* Context() {
  static GVC_t* const gvc = gvContext();
  return gvc;
}

}  // namespace

bool GraphvizReads(const std::string& dot, int& nodes) {
  Graph g = Read(dot);
  if (!g) return false;
  nodes = agnnodes(g.get());
  return true;
}

bool DrawMap(const std::string& dot, MapFormat format, std::string& image, std::string& error) {
  Graph g = Read(dot);
  if (!g) {
    error = "Graphviz could not read the graph";
    return false;
  }
  GVC_t* gvc = Context();
  bool ok = gvLayout(gvc, g.get(), "dot") == 0;
  if (!ok) error = "Graphviz could not lay the graph out";
  if (ok) {
    const char* name = format == MapFormat::Svg ? "svg" : format == MapFormat::Png ? "png" : "dot";
    char* data = nullptr;
    unsigned int length = 0;
    ok = gvRenderData(gvc, g.get(), name, &data, &length) == 0 && data != nullptr;
    if (ok) image.assign(data, length);
    if (data) gvFreeRenderData(data);
    if (!ok) error = std::string("Graphviz could not render ") + name;
    gvFreeLayout(gvc, g.get());
  }
  return ok;
}

}  // namespace dlg::map

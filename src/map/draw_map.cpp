// Pictures of the map by Graphviz's own renderers, laid out and drawn in this process.

#include "map/graphviz.h"
#include "map/map.h"

namespace dlg::map {

using graphviz::Graph;
using graphviz::Read;

bool DrawMap(const std::string& dot, MapFormat format, std::string& image, std::string& error) {
  const std::lock_guard<std::mutex> lock(graphviz::Lock());
  Graph g = Read(dot);
  if (!g) {
    error = "Graphviz could not read the graph";
    return false;
  }
  GVC_t* gvc = graphviz::Context();
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

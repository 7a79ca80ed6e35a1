// The map drawn in-process by Graphviz, as the Conversation window lays it out.

#include "dlgcheck/map_output.h"

namespace dlg::dlgcheck {

const char kMapHelp[] =
    "  --map OUT          draw the conversation of the one FILE as OUT (.svg, .png or .dot)\n";

std::string MapRefusal(const std::string&, map::MapFormat) { return {}; }

bool MakeMap(const Conversation& c, map::MapFormat format, std::string& image,
             std::string& problem) {
  return map::DrawMap(map::MapDot(c), format, image, problem);
}

}  // namespace dlg::dlgcheck

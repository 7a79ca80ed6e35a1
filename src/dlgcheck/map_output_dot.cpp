// The map where there is no Graphviz: its DOT text before layout, which any Graphviz draws. A
// picture would need Graphviz linked in, and the Windows zip ships one file with no DLL beside it.

#include "dlgcheck/map_output.h"

namespace dlg::dlgcheck {

const char kMapHelp[] =
    "  --map OUT.dot      write the conversation of the one FILE as DOT text, for Graphviz\n";

std::string MapRefusal(const std::string& path, map::MapFormat format) {
  if (format == map::MapFormat::Dot) return {};
  const std::string stem = path.substr(0, path.size() - 4);
  const char* type = format == map::MapFormat::Svg ? "svg" : "png";
  return "the map '" + path +
         "' needs the Linux build of dlgcheck; this one writes DOT text: " + "--map " + stem +
         ".dot, then Graphviz's own 'dot -T" + type + " " + stem + ".dot -o " + path + "'";
}

bool MakeMap(const Conversation& c, map::MapFormat, std::string& image, std::string&) {
  image = map::MapDot(c);
  return true;
}

}  // namespace dlg::dlgcheck

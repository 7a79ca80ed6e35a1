#pragma once
// The map as this build makes it: laid out and drawn in-process by Graphviz, or, in a build
// without Graphviz (the Windows one), the DOT text that the layout starts from, for users to draw
// with a Graphviz of their own. One source each.

#include <string>

#include "dialogue/conversation.h"
#include "map/map.h"

namespace dlg::dlgcheck {

// The --map line of --help.
extern const char kMapHelp[];

// "" when this build makes a map in `format`, else why not, for the command line's refusal.
std::string MapRefusal(const std::string& path, map::MapFormat format);

// The map of `c` in `format`, or false with the reason in `problem`.
bool MakeMap(const Conversation& c, map::MapFormat format, std::string& image,
             std::string& problem);

}  // namespace dlg::dlgcheck

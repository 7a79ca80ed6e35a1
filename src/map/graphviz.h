#pragma once
// What the files that call Graphviz share: the one context, the lock around every call, and a
// graph that closes itself. Graphviz keeps global state (the context's caches, its error
// reporting), so a map laid out on a worker thread must not run beside another.

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <memory>
#include <mutex>
#include <string>

namespace dlg::map::graphviz {

struct GraphCloser {
  void operator()(Agraph_t* g) const { agclose(g); }
};
using Graph = std::unique_ptr<Agraph_t, GraphCloser>;

inline std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

inline Graph Read(const std::string& dot) {
  // Graphviz reports parse errors on standard error itself; the caller says what failed.
  agseterr(AGMAX);
  return Graph(agmemread(dot.c_str()));
}

// One context for the life of the process: Graphviz 2.42 keeps a font cache beyond a freed
// context, and the next one read freed memory (AddressSanitizer, second map in one process).
inline GVC_t* Context() {
  static GVC_t* const gvc = gvContext();
  return gvc;
}

}  // namespace dlg::map::graphviz

// Every dlgcheck check over any bytes, both reports, and for small inputs the map's graph read
// back by Graphviz: whatever a shared file holds, the labels stay escaped. The conversation read
// 64 bytes at a time is the one the editor's reader and a lookup from the top make of them.

#include <algorithm>
#include <sstream>

#include "check/report.h"
#include "conversation_model.h"
#include "fuzz_check.h"
#include "map/graphviz.h"
#include "map/map.h"

namespace {

// True when Graphviz reads `dot` as one graph, with its number of nodes in `nodes`.
bool GraphvizReads(const std::string& dot, int& nodes) {
  const std::lock_guard<std::mutex> lock(dlg::map::graphviz::Lock());
  const dlg::map::graphviz::Graph g = dlg::map::graphviz::Read(dot);
  if (!g) return false;
  nodes = agnnodes(g.get());
  return true;
}

// Lines as an editor counts them: a CR LF, a CR or an LF ends one; a tail without one is one.
int ModelLineCount(std::string_view b) {
  int lines = 0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
    if (b[i] == '\r' || b[i] == '\n') ++lines;
  }
  const bool tail = !b.empty() && b.back() != '\r' && b.back() != '\n';
  return lines + (tail ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace dlg;
  const std::string bytes = fuzz::Bytes(data, size);
  const Conversation c = ReadConversation(bytes);
  FUZZ_CHECK(static_cast<int>(c.lines.size()) == ModelLineCount(bytes));
  const std::string difference = test::FirstDifference(c, test::ModelConversation(bytes));
  if (!difference.empty()) fuzz::Fail(difference.c_str(), __FILE__, __LINE__);
  const std::vector<check::Finding> findings = check::RunChecks(c);
  int last = 0;
  for (const check::Finding& f : findings) {
    FUZZ_CHECK(f.line >= 1 && f.line <= static_cast<int>(c.lines.size()));
    FUZZ_CHECK(f.line >= last);  // sorted by line
    last = f.line;
    FUZZ_CHECK(check::FindCheck(f.check).has_value());
    // One finding is one line of output, whatever the file held.
    FUZZ_CHECK(!fuzz::Holds(f.message, '\n') && !fuzz::Holds(f.message, '\r'));
  }
  const auto report = [&](bool json) {
    std::ostringstream out;
    check::ReportWriter writer(out, json, {}, 0);
    for (const check::Finding& f : findings) writer.Add("in.dlg", f);
    writer.End();
    return std::move(out).str();
  };
  const std::string text = report(false);
  FUZZ_CHECK(std::count(text.begin(), text.end(), '\n') == static_cast<long>(findings.size()) + 1);
  FUZZ_CHECK(report(true).find('\r') == std::string::npos);

  if (size <= 256) {  // Graphviz reads in milliseconds: small inputs only
    int nodes = 0;
    FUZZ_CHECK(GraphvizReads(map::MapDot(c), nodes));
    const auto lines =
        std::count_if(c.records.begin(), c.records.end(), [](const Record& r) { return r.npc; });
    FUZZ_CHECK(nodes >= lines);
  }
  return 0;
}

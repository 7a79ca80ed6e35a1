// What the runs share: reading the files named, and text in the system's line ends.

#include "dlgcheck/runs.h"

#include "check/report.h"

namespace dlg::dlgcheck {

std::string InLineEnds(const std::string& text, std::string_view lineEnd) {
  if (lineEnd == "\n") return text;
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') {
      out += lineEnd;
    } else {
      out += c;
    }
  }
  return out;
}

bool EndsIn(const std::string& name, std::string_view end) {
  if (name.size() <= end.size()) return false;  // a name besides the ending
  for (std::size_t i = 0; i < end.size(); ++i) {
    const char c = name[name.size() - end.size() + i];
    if ((c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != end[i]) return false;
  }
  return true;
}

std::vector<Loaded> ReadInputs(const std::vector<Input>& inputs, std::ostream& err,
                               int& unreadable) {
  std::vector<Loaded> loaded;
  for (const auto& [path, listFailure] : inputs) {
    Loaded& l = loaded.emplace_back(Loaded{path, {}});
    const std::string failed = listFailure.empty() ? ReadWhole(path, l.bytes) : listFailure;
    if (failed.empty()) continue;
    err << "dlgcheck: cannot read " << check::NameShown(path) << ": " << failed << "\n";
    ++unreadable;
    loaded.pop_back();
  }
  return loaded;
}

}  // namespace dlg::dlgcheck

#include "dialogue/record_line.h"

namespace dlg {

std::string_view LineNumberOf(std::string_view content) {
  if (content.empty() || content[0] == '}') return {};
  const std::size_t close = content.find('}', 1);
  return content.substr(1, close == std::string_view::npos ? close : close - 1);
}

std::optional<std::string_view> FieldOf(std::string_view content, int index) {
  std::size_t pos = 0;
  std::string_view field;
  for (int i = 0; i <= index; ++i) {
    if (pos >= content.size()) return std::nullopt;
    if (content[pos] == '}') {
      field = content.substr(pos, 0);
      ++pos;
      continue;
    }
    const std::size_t close = content.find('}', pos + 1);
    if (close == std::string_view::npos) return std::nullopt;
    field = content.substr(pos + 1, close - pos - 1);
    pos = close + 1;
  }
  return field;
}

}  // namespace dlg

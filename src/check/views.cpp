#include "check/views.h"

#include <array>
#include <cstring>

#include "check/report.h"

namespace dlg::check {

namespace {

// Enough of a long text to tell rows apart; a megabyte reply stays a short row.
constexpr std::size_t kRowText = 200;

void AppendOneLine(std::string& out, std::string_view text) {
  const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
  if (end > kRowText) {
    out.append(text.substr(0, kRowText)).append("...");
  } else {
    out.append(text.substr(0, end));
  }
}

std::string RowOf(const Record& r) {
  std::string row(r.fields.lineNumber);
  if (!r.npc) row.append(" -> ").append(r.fields.jumpLine);
  row.append("  ");
  AppendOneLine(row, r.fields.maleText);
  return row;
}

constexpr std::array<unsigned char, 256> kFold = [] {
  std::array<unsigned char, 256> fold{};
  for (int b = 0; b < 256; ++b) fold[b] = static_cast<unsigned char>(b);
  for (int b = 'A'; b <= 'Z'; ++b) fold[b] = static_cast<unsigned char>(b + 32);
  // Latin-1 capitals, but the multiplication sign.
  for (int b = 0xC0; b <= 0xDE; ++b)
    if (b != 0xD7) fold[b] = static_cast<unsigned char>(b + 32);
  fold[0x8A] = 0x9A;  // S caron
  fold[0x8C] = 0x9C;  // OE
  fold[0x8E] = 0x9E;  // Z caron
  fold[0x9F] = 0xFF;  // Y diaeresis
  return fold;
}();

// Where the folded `needle` (not empty) first stands in `text`, folded. The candidates are found
// with memchr, for each byte that folds like the needle's first.
bool Holds(std::string_view text, std::string_view needle, const unsigned char (&firsts)[2],
           int nFirsts) {
  if (needle.size() > text.size()) return false;
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t last = text.size() - needle.size();
  for (int k = 0; k < nFirsts; ++k) {
    for (std::size_t from = 0; from <= last;) {
      const void* hit = std::memchr(data + from, firsts[k], last + 1 - from);
      if (hit == nullptr) break;
      const std::size_t at =
          static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - data);
      std::size_t i = 1;
      while (i < needle.size() && kFold[data[at + i]] == static_cast<unsigned char>(needle[i])) ++i;
      if (i == needle.size()) return true;
      from = at + 1;
    }
  }
  return false;
}

}  // namespace

unsigned char FoldCase(unsigned char byte) { return kFold[byte]; }

std::vector<OutlineRow> Outline(const Conversation& c) {
  std::vector<OutlineRow> rows;
  rows.reserve(c.records.size());
  int npcRow = -1;
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    const Record& r = c.records[i];
    if (r.npc) npcRow = static_cast<int>(rows.size());
    rows.push_back({static_cast<int>(i), r.npc ? -1 : npcRow, RowOf(r)});
  }
  return rows;
}

std::string ProblemRow(const Finding& f) {
  return std::to_string(f.line) + ": " + std::string(SeverityName(f.severity)) + ": " + f.message +
         " [" + std::string(f.check) + "]";
}

std::vector<FoundRecord> FindText(const Conversation& c, std::string_view needle) {
  std::vector<FoundRecord> found;
  if (needle.empty()) return found;
  std::string folded(needle);
  for (char& ch : folded) ch = static_cast<char>(kFold[static_cast<unsigned char>(ch)]);
  unsigned char firsts[2];
  int nFirsts = 0;
  for (int b = 0; b < 256 && nFirsts < 2; ++b)
    if (kFold[b] == static_cast<unsigned char>(folded[0]))
      firsts[nFirsts++] = static_cast<unsigned char>(b);
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    const Fields& f = c.records[i].fields;
    for (std::string_view field : {f.maleText, f.femaleText, f.conditionFlags, f.executionFlags}) {
      if (!Holds(field, folded, firsts, nFirsts)) continue;
      std::string row(f.lineNumber);
      row.append("  ");
      AppendOneLine(row, field);
      found.push_back({static_cast<int>(i), std::move(row)});
      break;
    }
  }
  return found;
}

}  // namespace dlg::check

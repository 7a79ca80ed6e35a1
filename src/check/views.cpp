#include "check/views.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "check/folded_search.h"
#include "check/joined.h"
#include "check/report.h"

namespace dlg::check {

namespace {

// Enough of a long text to tell rows apart; a megabyte reply stays a short row.
constexpr std::size_t kRowText = 200;

// How much of a text its row shows: up to its first CR or LF, and at most kRowText bytes (more
// are cut, and the row says so). No byte past those is looked at.
std::size_t ShownSize(std::string_view text, bool& cut) {
  const std::size_t look = std::min(text.size(), kRowText + 1);
  const char* p = text.data();
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= look; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const unsigned bits = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
    if (bits != 0) {
      i += static_cast<std::size_t>(__builtin_ctz(bits));
      cut = false;
      return i;
    }
  }
#endif
  for (; i < look; ++i) {
    if (p[i] == '\r' || p[i] == '\n') {
      cut = false;
      return i;
    }
  }
  cut = look > kRowText;
  return cut ? kRowText : look;
}

// "NUMBER" + `arrow` + `jump` + "  " + the text cut to one line, after "LABEL: " where it has one.
std::string Row(std::string_view number, std::string_view arrow, std::string_view jump,
                std::string_view label, std::string_view text) {
  bool cut = false;
  const std::size_t shown = ShownSize(text, cut);
  return Joined(number, arrow, jump, "  ", label, label.empty() ? "" : ": ", text.substr(0, shown),
                cut ? "..." : "");
}

std::string RowOf(const Record& r) {
  if (r.npc) return Row(r.Fields().lineNumber, {}, {}, {}, r.Fields().maleText);
  return Row(r.Fields().lineNumber, " -> ", r.Fields().jumpLine, {}, r.Fields().maleText);
}

}  // namespace

std::string OutlineText(const Conversation& c, int record) { return RowOf(c.records[record]); }

namespace {

std::string ProblemRowOf(int line, std::string_view number, Severity s, std::string_view message,
                         std::string_view check) {
  const std::string fileLine = std::to_string(line);
  const std::string_view severity = SeverityName(s);
  if (number.empty())
    return Joined("file line ", fileLine, ": ", severity, ": ", message, " [", check, "]");
  return Joined("line ", NumberText(number), " (file line ", fileLine, "): ", severity, ": ",
                message, " [", check, "]");
}

}  // namespace

std::string UnreachableNote(const Conversation& c, int record) {
  if (record < 0 || record >= static_cast<int>(c.records.size())) return {};
  const int found = c.FoundBy(record);
  if (found == record) return {};
  const auto numberOf = [&c](int r) {
    return std::string(c.records[static_cast<std::size_t>(r)].Fields().lineNumber);
  };
  const auto at = [&](int r) {
    return "line " + numberOf(r) + " on file line " +
           std::to_string(c.records[static_cast<std::size_t>(r)].line);
  };
  std::string note = at(record);
  note[0] = 'L';
  return note + " cannot be reached by its number: Go to " + numberOf(record) + " stops at " +
         at(found) + " first. Renumber one of them to reach it.";
}

std::string ProblemText(const Conversation& c, const Problem& p) {
  const int on = RecordOnLine(c, p.line);
  const std::string_view number =
      on < 0 ? std::string_view() : c.records[static_cast<std::size_t>(on)].Fields().lineNumber;
  return ProblemRowOf(p.line, number, p.severity, ProblemMessage(c, p), p.Check());
}

namespace {

// Where each searched field stands in a record, for Record::Field.
constexpr int kSearchedIndex[] = {1, 2, 4, 6};
static_assert([] {
  for (std::size_t j = 0; j < std::size(kSearchedFields); ++j)
    if (kFieldOrder[kSearchedIndex[j]] != kSearchedFields[j].field) return false;
  return std::size(kSearchedIndex) == std::size(kSearchedFields);
}());

}  // namespace

std::vector<FoundAt> FindRecords(const Conversation& c, std::string_view needle) {
  std::vector<FoundAt> found;
  const std::size_t n = c.records.size();
  if (needle.empty() || n == 0) return found;
  // Room for a text found in every record, touched only as far as it is used: a text in every
  // reply is a common search, and the list is not copied as it grows.
  found.reserve(n);
  const FoldedSearch search(needle);
  // The records' lines stand in order in one text, the file's bytes: searched as one, and the
  // places found matched to the records as they come, by where each record's line starts (the
  // records alone are read, not the lines as well).
  const auto startOf = [&](std::size_t i) {
    const Record& r = c.records[i];
    return r.longLine ? reinterpret_cast<const LongLine*>(r.start)->text.data() : r.start;
  };
  const char* begin = startOf(0);
  const std::string_view lastLine = c.lines[c.records[n - 1].line - 1].Text();
  const std::string_view text(begin,
                              static_cast<std::size_t>(lastLine.data() + lastLine.size() - begin));
  std::size_t i = 0;
  for (std::size_t at = search.Next(text, 0); at != std::string_view::npos;) {
    const char* start = begin + at;
    const char* end = start + search.Size();
    // The record whose line holds the start of the text found: the last one that starts before.
    while (i + 1 < n && startOf(i + 1) <= start) ++i;
    const Record& r = c.records[i];
    std::string_view Fields::*in = nullptr;
    for (std::size_t j = 0; j < std::size(kSearchedIndex); ++j) {
      const std::string_view v = r.Field(kSearchedIndex[j]);
      if (v.size() >= search.Size() && v.data() <= start && end <= v.data() + v.size()) {
        in = kSearchedFields[j].field;
        break;
      }
    }
    if (in == nullptr) {
      at = search.Next(text, at + 1);
      continue;
    }
    found.push_back({static_cast<int>(i), in});
    if (++i == n) break;
    at = search.Next(text, static_cast<std::size_t>(startOf(i) - begin));
  }
  return found;
}

std::string FoundText(const Conversation& c, const FoundAt& at) {
  const Fields& f = c.records[at.record].Fields();
  std::string_view name;
  for (const SearchedField& searched : kSearchedFields)
    if (searched.field == at.field) name = searched.name;
  return FoundRow(f.lineNumber, name, f.*at.field);
}

std::string FoundRow(std::string_view number, std::string_view name, std::string_view text) {
  return Row(number, {}, {}, name, text);
}

}  // namespace dlg::check

#include "mod/file_rows.h"

#include <algorithm>

#include "check/checks.h"
#include "check/report.h"
#include "check/views.h"
#include "dialogue/line_scanner.h"

namespace dlg::mod {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

// Only the lines that hold the needle are read: a record's fields lie on its own line (the
// reader breaks lines at CR LF, CR and LF as Find's conversation read does), so reading that
// line with its line end gives the fields the whole file's read would.
FileRows FoundRows(const check::FoldedSearch& search, const std::string& shown,
                   std::string_view bytes) {
  FileRows out;
  const std::size_t size = search.Size();
  for (std::size_t at = search.Next(bytes, 0); at != std::string_view::npos;) {
    std::size_t start = at;
    while (start > 0 && !IsLineEnd(bytes[start - 1])) --start;
    std::size_t end = at;
    while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
    if (at + size > end) {  // across a line end: in no field
      at = search.Next(bytes, at + 1);
      continue;
    }
    FileLine line;
    Record record;
    LineScanner(bytes.substr(start, std::min(end + 2, bytes.size()) - start)).Next(line, record);
    const Fields fields = record.Fields();
    const char* from = bytes.data() + at;
    const check::SearchedField* in = nullptr;
    for (const check::SearchedField& s : check::kSearchedFields) {
      const std::string_view v = fields.*s.field;
      if (!v.empty() && v.data() <= from && from + size <= v.data() + v.size()) {
        in = &s;
        break;
      }
    }
    if (in == nullptr) {  // in the number, or across a field's end: the next place
      at = search.Next(bytes, at + 1);
      continue;
    }
    out.rows.push_back({shown, std::string(fields.lineNumber),
                        "  " + check::FoundRow(fields.lineNumber, in->name, fields.*in->field),
                        true});
    at = search.Next(bytes, end);  // a record is listed once
  }
  out.found = static_cast<long>(out.rows.size());
  return out;
}

FileRows ProblemRows(const std::string& shown, std::string_view bytes) {
  FileRows out;
  const Conversation c = ReadConversation(bytes);
  for (const check::Problem& p : check::FindProblems(c)) {
    if (p.severity == check::Severity::Error) ++out.errors;
    if (p.severity == check::Severity::Warning) ++out.warnings;
    const int on = check::RecordOnLine(c, p.line);
    out.rows.push_back({shown,
                        on < 0 ? std::string() : std::string(c.records[on].Fields().lineNumber),
                        ": " + check::ProblemText(c, p), false, check::UnreachableNote(c, on)});
  }
  out.found = static_cast<long>(out.rows.size());
  return out;
}

std::string ProblemsSummary(const Progress& p) {
  return check::Summary({.errors = p.errors,
                         .warnings = p.warnings,
                         .files = static_cast<int>(p.filesDone - p.unreadable)},
                        static_cast<int>(p.unreadable));
}

}  // namespace dlg::mod

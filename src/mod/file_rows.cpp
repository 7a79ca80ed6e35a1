#include "mod/file_rows.h"

#include <algorithm>

#include "check/checks.h"
#include "check/report.h"
#include "check/views.h"

namespace dlg::mod {

namespace {

std::string_view FieldName(std::string_view Fields::*field) {
  if (field == &Fields::maleText) return "male";
  if (field == &Fields::femaleText) return "female";
  if (field == &Fields::conditionFlags) return "if";
  return "runs";
}

}  // namespace

FileRows FoundRows(const check::FoldedSearch& search, std::string_view needle,
                   const std::string& shown, std::string_view bytes) {
  FileRows out;
  if (search.Next(bytes, 0) == std::string_view::npos) return out;
  const Conversation c = ReadConversation(bytes);
  for (const check::FoundAt& at : check::FindRecords(c, needle)) {
    const std::string_view number =
        c.records[static_cast<std::size_t>(at.record)].fields.lineNumber;
    // FoundText is "NUMBER  TEXT": the field's name goes between.
    std::string row = check::FoundText(c, at);
    row.insert(number.size() + 2, std::string(FieldName(at.field)) + ": ");
    out.rows.push_back({shown, std::string(number), "  " + row, true});
  }
  out.found = static_cast<long>(out.rows.size());
  return out;
}

FileRows ProblemRows(const std::string& shown, std::string_view bytes) {
  FileRows out;
  const Conversation c = ReadConversation(bytes);
  for (const check::Finding& f : check::RunChecks(c)) {
    if (f.severity == check::Severity::Error) ++out.errors;
    if (f.severity == check::Severity::Warning) ++out.warnings;
    // Records stand in file order, so the one on a line is found by halving.
    const auto at = std::lower_bound(c.records.begin(), c.records.end(), f.line,
                                     [](const Record& r, int line) { return r.line < line; });
    std::string number;
    if (at != c.records.end() && at->line == f.line) number = std::string(at->fields.lineNumber);
    out.rows.push_back({shown, number, ":" + check::ProblemRow(f)});
  }
  out.found = static_cast<long>(out.rows.size());
  return out;
}

std::string ProblemsSummary(const Progress& p) {
  // FormatText ends with the summary line; the reports it is given hold only the counts.
  std::vector<check::FileReport> reports(p.filesDone - p.unreadable);
  if (!reports.empty()) {
    for (int i = 0; i < p.errors; ++i)
      reports[0].findings.push_back({0, check::Severity::Error, "", ""});
    for (int i = 0; i < p.warnings; ++i)
      reports[0].findings.push_back({0, check::Severity::Warning, "", ""});
  }
  std::string text = check::FormatText(reports, static_cast<int>(p.unreadable));
  // Only its last line, without the line end.
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text.substr(text.rfind('\n') + 1);
}

}  // namespace dlg::mod

#pragma once
// The findings of a run as build tools read them: compiler-style text lines, or one JSON
// document.

#include <ostream>
#include <string>
#include <vector>

#include "check/checks.h"

namespace dlg::check {

struct Totals {
  int errors = 0;
  int warnings = 0;
  int files = 0;
};

std::string_view SeverityName(Severity s);

// "N errors, M warnings in K files", in the singular where a count is 1, and ", U files could not
// be read" when some could not.
std::string Summary(const Totals& t, int unreadable);

// Writes a report a finding at a time, so that a run never holds every message of a file with
// millions of findings. Text: "PATH:LINE: severity: message [check]" a finding, then the Summary,
// each line ended by `lineEnd`. JSON, one document byte for byte the same on every system:
// {"files": K, "unreadable": U, "errors": N, "warnings": M, "findings": [{"file", "line",
// "record" (the record's number, or null), "severity", "check", "message"}, ...]}, the counts
// known before the first finding.
class ReportWriter {
 public:
  ReportWriter(std::ostream& out, bool json, const Totals& totals, int unreadable,
               std::string_view lineEnd = "\n");
  void Add(std::string_view path, const Finding& f);
  void End();

 private:
  std::ostream& out_;
  bool json_;
  Totals totals_;
  int unreadable_;
  std::string_view lineEnd_;
  bool any_ = false;
};

// A JSON string literal of `text`; bytes that are not UTF-8 pass the Windows-1252 table.
std::string JsonString(std::string_view text);
using dlg::NameShown;

}  // namespace dlg::check

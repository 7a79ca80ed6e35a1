#include "check/report.h"

#include "dialogue/cp1252.h"
#include "dialogue/quoted_text.h"
#include "dialogue/utf8.h"

namespace dlg::check {

namespace {

// "1 error", "2 errors".
std::string Counted(int n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

}  // namespace

std::string Summary(const Totals& t, int unreadable) {
  std::string out = Counted(t.errors, "error") + ", " + Counted(t.warnings, "warning") + " in " +
                    Counted(t.files, "file");
  // A file that could not be read is no clean file: the summary must not read as if all were well.
  if (unreadable > 0) out += ", " + Counted(unreadable, "file") + " could not be read";
  return out;
}

std::string_view SeverityName(Severity s) {
  switch (s) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      break;
  }
  return "note";
}

std::string JsonString(std::string_view text) {
  std::string converted;
  if (!IsUtf8(text)) {
    converted = Cp1252ToUtf8(text);
    text = converted;
  }
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  std::size_t plain = 0;  // start of the run of bytes that need no escape
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b >= 0x20 && b != 0x7F && b != '"' && b != '\\') continue;
    out.append(text, plain, i - plain);
    plain = i + 1;
    if (b == '"' || b == '\\') {
      out += '\\';
      out += static_cast<char>(b);
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  out.append(text, plain);
  out += '"';
  return out;
}

ReportWriter::ReportWriter(std::ostream& out, bool json, const Totals& totals, int unreadable,
                           std::string_view lineEnd)
    : out_(out), json_(json), totals_(totals), unreadable_(unreadable), lineEnd_(lineEnd) {
  if (!json_) return;
  out_ << "{\"files\": " << totals_.files << ", \"unreadable\": " << unreadable_
       << ", \"errors\": " << totals_.errors << ", \"warnings\": " << totals_.warnings
       << ", \"findings\": [";
}

void ReportWriter::Add(std::string_view path, const Finding& f) {
  if (!json_) {
    out_ << NameShown(path) << ':' << f.line << ": " << SeverityName(f.severity) << ": "
         << f.message << " [" << f.check << ']' << lineEnd_;
    return;
  }
  out_ << (any_ ? ",\n  " : "\n  ") << "{\"file\": " << JsonString(path) << ", \"line\": " << f.line
       << ", \"record\": " << (f.record ? JsonString(*f.record) : "null") << ", \"severity\": \""
       << SeverityName(f.severity) << "\", \"check\": \"" << f.check
       << "\", \"message\": " << JsonString(f.message) << '}';
  any_ = true;
}

void ReportWriter::End() {
  if (json_) {
    out_ << (any_ ? "\n]}\n" : "]}\n");
    return;
  }
  out_ << Summary(totals_, unreadable_) << lineEnd_;
}

}  // namespace dlg::check

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

Totals Count(const std::vector<FileReport>& files) {
  Totals t;
  t.files = static_cast<int>(files.size());
  for (const FileReport& f : files) {
    for (const Finding& x : f.findings) {
      t.errors += x.severity == Severity::Error;
      t.warnings += x.severity == Severity::Warning;
    }
  }
  return t;
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

std::string FormatText(const std::vector<FileReport>& files, int unreadable) {
  std::string out;
  for (const FileReport& f : files) {
    const std::string path = NameShown(f.path);
    for (const Finding& x : f.findings) {
      out += path + ":" + std::to_string(x.line) + ": " + std::string(SeverityName(x.severity)) +
             ": " + x.message + " [" + std::string(x.check) + "]\n";
    }
  }
  const Totals t = Count(files);
  out += Counted(t.errors, "error") + ", " + Counted(t.warnings, "warning") + " in " +
         Counted(t.files, "file");
  // A file that could not be read is no clean file: the summary must not read as if all were well.
  if (unreadable > 0) out += ", " + Counted(unreadable, "file") + " could not be read";
  out += "\n";
  return out;
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

std::string FormatJson(const std::vector<FileReport>& files, int unreadable) {
  const Totals t = Count(files);
  std::string out = "{\"files\": " + std::to_string(t.files) +
                    ", \"unreadable\": " + std::to_string(unreadable) +
                    ", \"errors\": " + std::to_string(t.errors) +
                    ", \"warnings\": " + std::to_string(t.warnings) + ", \"findings\": [";
  const char* sep = "\n  ";
  bool any = false;
  for (const FileReport& f : files) {
    const std::string file = JsonString(f.path);
    for (const Finding& x : f.findings) {
      out += sep;
      sep = ",\n  ";
      any = true;
      out += "{\"file\": " + file + ", \"line\": " + std::to_string(x.line) +
             ", \"record\": " + (x.record ? JsonString(*x.record) : "null") + ", \"severity\": \"" +
             std::string(SeverityName(x.severity)) + "\", \"check\": \"" + std::string(x.check) +
             "\", \"message\": " + JsonString(x.message) + "}";
    }
  }
  out += any ? "\n]}\n" : "]}\n";
  return out;
}

}  // namespace dlg::check

#include "translate/tools_cli.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "dialogue/quoted_text.h"
#include "fileio/files.h"
#include "translate/export_po.h"
#include "translate/import_po.h"

namespace dlg::translate {

namespace {

constexpr int kWritten = 0;
constexpr int kRefused = 2;

const char kDlg2poHelp[] =
    "Usage: dlg2po [-P] [--language LL] SOURCE.dlg OUT.po\n"
    "       dlg2po -t SOURCE.dlg [--language LL] TRANSLATED.dlg OUT.po\n"
    "Writes the wordings of an Ashgloam dialogue file as a gettext PO file for translators: one\n"
    "entry for each male and female wording, in file order, its context the record's number.\n"
    "OUT.po '-' is standard output, as for gettext's own tools.\n"
    "\n"
    "  -P, --pot          write a template (.pot)\n"
    "  -t SOURCE.dlg      take the translations of TRANSLATED.dlg, a translation made by hand\n"
    "  --language LL      the language of the translation, for the PO file's header\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Exit status: 0 written, 2 a file could not be read or written, or the command line is "
    "wrong.\n";

const char kPo2dlgHelp[] =
    "Usage: po2dlg -t SOURCE.dlg IN.po OUT.dlg [--fuzzy] [--ignore-unknown]\n"
    "Writes OUT.dlg as SOURCE.dlg with every wording that IN.po translates replaced, and every\n"
    "other byte kept. IN.po '-' is standard input, as for gettext's own tools.\n"
    "\n"
    "  -t SOURCE.dlg      the dialogue file that IN.po translates\n"
    "  --fuzzy            take fuzzy translations too\n"
    "  --ignore-unknown   leave out entries that name no record of SOURCE.dlg\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Exit status: 0 written, 2 refused (nothing is written), a file could not be read or\n"
    "written, or the command line is wrong.\n";

struct CommandLine {
  std::string template_;  // -t
  std::string language;
  bool pot = false;
  bool fuzzy = false;
  bool ignoreUnknown = false;
  std::vector<std::string> files;
};

class Tool {
 public:
  Tool(const char* name, std::ostream& err) : name_(name), err_(err), files_(PosixFileOps()) {}

  int Usage(const std::string& problem) {
    err_ << name_ << ": " << problem << "\nTry '" << name_ << " --help'.\n";
    return kRefused;
  }
  // Each tool takes two names; a third is no file it would read or write.
  int TooMany(const std::vector<std::string>& files) {
    return Usage("unexpected argument '" + NameShown(files[2]) + "'");
  }
  int Fail(const std::string& problem) {
    err_ << name_ << ": " << problem << "\n";
    return kRefused;
  }
  bool Read(const std::string& path, std::string& bytes) {
    const FileResult r = files_.ReadAll(path, bytes);
    if (!r)
      err_ << name_ << ": cannot read " << NameShown(path) << ": " << r.failure.Reason() << "\n";
    return bool(r);
  }
  bool Write(const std::string& path, const std::string& bytes) {
    const FileResult r = files_.ReplaceWhole(path, bytes);
    if (!r)
      err_ << name_ << ": cannot write " << NameShown(path) << ": " << r.failure.Reason() << "\n";
    return bool(r);
  }
  // The same file under two names, or one name twice.
  bool Same(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat first {};
    struct stat second {};
    return files_.Stat(a, first) == 0 && files_.Stat(b, second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  }

 private:
  const char* name_;
  std::ostream& err_;
  Files files_;
};

// Returns -1 to go on, or the exit status.
int Parse(const std::vector<std::string>& args, CommandLine& c, Tool& tool, std::ostream& out,
          const char* help, bool po2dlg) {
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (optionsEnd || a.size() < 2 || a[0] != '-') {
      c.files.push_back(a);
    } else if (a == "--") {
      optionsEnd = true;
    } else if (a == "--help" || a == "-h" || a == "--version") {
      if (a == "--version") {
        out << (po2dlg ? "po2dlg " : "dlg2po ") << DLG_VERSION << "\n";
      } else {
        out << help;
      }
      // Lost to a full disk, it is no help shown.
      return out << std::flush ? kWritten : tool.Fail("cannot write to standard output");
    } else if (a == "-t" || a == "--template") {
      if (!value(c.template_)) return tool.Usage("option " + a + " needs a value");
    } else if (a.starts_with("--template=")) {
      c.template_ = a.substr(11);
    } else if (!po2dlg && (a == "-P" || a == "--pot")) {
      c.pot = true;
    } else if (!po2dlg && a == "--language") {
      if (!value(c.language)) return tool.Usage("option --language needs a value");
    } else if (!po2dlg && a.starts_with("--language=")) {
      c.language = a.substr(11);
    } else if (po2dlg && a == "--fuzzy") {
      c.fuzzy = true;
    } else if (po2dlg && a == "--ignore-unknown") {
      c.ignoreUnknown = true;
    } else {
      return tool.Usage("unknown option '" + a + "'");
    }
  }
  return -1;
}

// gettext's reader decodes every character of a PO file through iconv, half of po2dlg's time;
// told that the file is of the old byte-wise kind it reads the bytes as they are. For UTF-8 that
// parses alike (no byte of a multibyte character is a quote or a backslash), and ImportPo checks
// every translation's UTF-8 and the header's charset itself. Set only while po2dlg reads: it runs
// no other thread, and the programs a caller starts afterwards do not inherit it.
class BytewisePoInput {
 public:
  BytewisePoInput() {
    if (const char* was = std::getenv(kName)) was_ = was;
    ::setenv(kName, "1", 1);
  }
  ~BytewisePoInput() {
    if (was_) {
      ::setenv(kName, was_->c_str(), 1);
    } else {
      ::unsetenv(kName);
    }
  }
  BytewisePoInput(const BytewisePoInput&) = delete;
  BytewisePoInput& operator=(const BytewisePoInput&) = delete;

 private:
  static constexpr char kName[] = "OLD_PO_FILE_INPUT";
  std::optional<std::string> was_;
};

// A pipe from msgcat or msgmerge, read to its end.
bool ReadAll(std::istream& in, std::string& bytes) {
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) bytes.append(chunk, in.gcount());
  return !in.bad();
}

}  // namespace

int RunDlg2po(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Tool tool("dlg2po", err);
  CommandLine c;
  if (const int status = Parse(args, c, tool, out, kDlg2poHelp, false); status >= 0) return status;
  const bool harvest = !c.template_.empty();
  if (harvest && c.pot) return tool.Usage("-P writes a template, which takes no translations");
  // A line break would begin another field of the PO file's header, and gettext refuses to
  // write a byte that is not UTF-8 there; a code is ASCII letters, "_" and "@" anyway.
  if (std::any_of(c.language.begin(), c.language.end(),
                  [](char b) { return b < 0x20 || b > 0x7E; }))
    return tool.Usage("--language takes a code such as fr or pt_BR, not '" + NameShown(c.language) +
                      "'");
  if (c.files.size() > 2) return tool.TooMany(c.files);
  if (c.files.size() != 2) {
    return tool.Usage(harvest ? "-t SOURCE.dlg takes TRANSLATED.dlg and OUT.po"
                              : "SOURCE.dlg and OUT.po are needed");
  }
  const std::string source = harvest ? c.template_ : c.files[0];
  const std::string& output = c.files[1];
  const bool toStandardOutput = output == "-";
  if (!toStandardOutput &&
      (tool.Same(output, source) || (harvest && tool.Same(output, c.files[0])))) {
    return tool.Usage("OUT.po '" + NameShown(output) + "' is a dialogue file being read");
  }
  std::string sourceBytes, translatedBytes;
  if (!tool.Read(source, sourceBytes)) return kRefused;
  if (harvest && !tool.Read(c.files[0], translatedBytes)) return kRefused;
  const std::string_view translated = translatedBytes;
  const ExportResult r = ExportPo(sourceBytes,
                                  {.sourceName = source,
                                   .templateFile = c.pot,
                                   .language = c.language,
                                   .date = PoDateNow(),
                                   .translatedName = harvest ? c.files[0] : ""},
                                  harvest ? &translated : nullptr);
  for (const std::string& note : r.notes) err << "dlg2po: " << note << "\n";
  if (!r.ok) return tool.Fail(r.problem);
  if (!toStandardOutput) return tool.Write(output, r.po) ? kWritten : kRefused;
  // A pipe to msgmerge or msgcat must not take a full disk for an empty catalogue.
  out << r.po << std::flush;
  return out ? kWritten : tool.Fail("cannot write the PO file to standard output");
}

int RunPo2dlg(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err) {
  Tool tool("po2dlg", err);
  CommandLine c;
  if (const int status = Parse(args, c, tool, out, kPo2dlgHelp, true); status >= 0) return status;
  if (c.template_.empty()) return tool.Usage("the template is needed: -t SOURCE.dlg");
  if (c.files.size() > 2) return tool.TooMany(c.files);
  if (c.files.size() != 2) return tool.Usage("IN.po and OUT.dlg are needed");
  const std::string& po = c.files[0];
  const std::string& output = c.files[1];
  const bool fromStandardInput = po == "-";
  if (tool.Same(output, c.template_) || (!fromStandardInput && tool.Same(output, po))) {
    return tool.Usage("OUT.dlg '" + NameShown(output) + "' is a file being read");
  }
  std::string sourceBytes, poBytes;
  if (!tool.Read(c.template_, sourceBytes)) return kRefused;
  if (fromStandardInput ? !ReadAll(in, poBytes) : !tool.Read(po, poBytes)) {
    return fromStandardInput ? tool.Fail("cannot read the PO file from standard input") : kRefused;
  }
  const BytewisePoInput bytewise;
  const ImportResult r = ImportPo(sourceBytes, poBytes,
                                  {.sourceName = NameShown(c.template_),
                                   .poName = fromStandardInput ? "<stdin>" : NameShown(po),
                                   .fuzzy = c.fuzzy,
                                   .ignoreUnknown = c.ignoreUnknown});
  if (!r.ok) {
    for (const std::string& p : r.problems) err << "po2dlg: " << p << "\n";
    return tool.Fail(NameShown(output) + " not written");
  }
  if (!tool.Write(output, r.dialogue)) return kRefused;
  out << Summary(r) << "\n" << std::flush;
  if (!out) {
    return tool.Fail("cannot write the summary to standard output (" + NameShown(output) +
                     " was written)");
  }
  return kWritten;
}

}  // namespace dlg::translate

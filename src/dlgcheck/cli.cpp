#include "dlgcheck/cli.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "check/checks.h"
#include "check/report.h"
#include "dlgcheck/file_access.h"
#include "dlgcheck/map_output.h"
#include "dlgcheck/runs.h"
#include "fileio/paths.h"
#include "map/map.h"
#include "translate/compare.h"

namespace dlg {

namespace {

constexpr int kClean = 0;
constexpr int kFindings = 1;
constexpr int kTrouble = 2;

// A file checked, kept until the report is written: its findings are made one at a time as they
// are written, so that a file of millions of them (a file of line ends alone) is never held as
// millions of messages.
struct Checked {
  Checked(std::string p, std::unique_ptr<std::string> b)
      : path(std::move(p)), bytes(std::move(b)), conversation(ReadConversation(*bytes)) {}

  // The findings of the checks and of the translation, in line order; the checks' first on a
  // line.
  void Report(check::ReportWriter& report) const {
    std::size_t d = 0;
    const auto translation = [&] {
      const translate::Difference& x = differences[d++];
      check::Finding f{x.line, check::Severity::Error, "translation", x.message};
      check::NameRecordOnLine(conversation, f);
      report.Add(path, f);
    };
    for (const check::Problem& p : problems) {
      while (d < differences.size() && differences[d].line < p.line) translation();
      report.Add(path, check::FindingOf(conversation, p));
    }
    while (d < differences.size()) translation();
  }

  std::string path;
  std::unique_ptr<std::string> bytes;  // where the conversation's views point, never moved
  Conversation conversation;
  std::vector<check::Problem> problems;
  std::vector<translate::Difference> differences;
};

const char kUsageHead[] =
    "Usage: dlgcheck [--map OUT] [--format text|json] [--ignore CHECK,...] [--werror]\n"
    "                [--against SOURCE.dlg] FILE|DIR...\n"
    "       dlgcheck --stats [--format text|json] FILE|DIR...\n"
    "       dlgcheck --script OUT FILE|DIR...\n"
    "       dlgcheck --textconv FILE\n"
    "Checks Ashgloam dialogue files (.dlg) and reports what the game or the editor would get\n"
    "wrong, one finding a line: PATH:LINE: error|warning|note: MESSAGE [CHECK]. A folder\n"
    "stands for every .dlg file below it. Or counts their lines and words, writes the\n"
    "voice-over script of their NPC lines, or prints one as text for git diff.\n"
    "\n";
// Then the --map and --script lines of this build.
const char kUsageOptions[] =
    "  --stats            count the NPC lines, the replies and their words, male and female apart\n"
    "  --textconv         print the FILE as text, a field a line under its record, for git diff\n"
    "  --against SOURCE   check translations of SOURCE: every record keeps its number,\n"
    "                     check, flags and jump, none missing or added [translation]\n"
    "  --format FORMAT    text (the default) or json\n"
    "  --ignore CHECKS    leave out the findings of these checks (comma-separated)\n"
    "  --werror           treat warnings as errors for the exit status\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n";
const char kUsageTail[] =
    "Exit status: 0 no errors, 1 errors (or warnings with --werror), 2 a file could not be read\n"
    "or written, or the command line is wrong.\n";

// The checks by severity, from the checks' own table, so that a new check is listed too.
std::string CheckList() {
  constexpr std::size_t kWidth = 88;  // as wide as the usage line
  std::string out;
  for (const auto& [severity, heading] : {std::pair{check::Severity::Error, "Errors:"},
                                          std::pair{check::Severity::Warning, "Warnings:"}}) {
    std::vector<std::string_view> names;
    for (const check::CheckInfo& c : check::kChecks) {
      if (c.severity == severity) names.push_back(c.name);
    }
    std::string line = heading;
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string item = std::string(names[i]) + (i + 1 < names.size() ? "," : ".");
      if (line.size() + 1 + item.size() > kWidth) {
        out += line + "\n";
        line = item;
      } else {
        line += " " + item;
      }
    }
    out += line + "\n";
  }
  return out;
}

using dlgcheck::InLineEnds;

enum class Run { Check, Stats, Script, Textconv };

struct Options {
  Run run = Run::Check;
  std::string script;
  std::string map;
  std::string against;
  map::MapFormat mapFormat = map::MapFormat::Svg;
  bool json = false;
  bool werror = false;
  std::set<std::string_view> ignored;
  std::vector<std::string> files;
};

int Usage(std::ostream& err, const std::string& problem) {
  err << "dlgcheck: " << problem << "\nTry 'dlgcheck --help'.\n";
  return kTrouble;
}

// Takes the value of --map, --format or --ignore. Returns -1, or the exit status of a wrong one.
int TakeOption(const std::string& name, const std::string& value, Options& o, std::ostream& err) {
  if (name == "--against") {
    // An empty value (a script's unset variable) would silently check no translation.
    if (value.empty()) return Usage(err, "--against takes the SOURCE.dlg that FILE translates");
    o.against = value;
  } else if (name == "--map") {
    if (!map::FormatOf(value, o.mapFormat)) {
      return Usage(err, "the map '" + value + "' must end in .svg, .png or .dot");
    }
    if (const std::string refusal = dlgcheck::MapRefusal(value, o.mapFormat); !refusal.empty()) {
      return Usage(err, refusal);
    }
    o.map = value;
  } else if (name == "--script") {
    if (!dlgcheck::EndsIn(value, ".csv") && !dlgcheck::EndsIn(value, ".xlsx")) {
      return Usage(err, "the script '" + value + "' must end in .csv or .xlsx");
    }
    if (const std::string refusal = dlgcheck::ScriptRefusal(value); !refusal.empty()) {
      return Usage(err, refusal);
    }
    o.script = value;
  } else if (name == "--format") {
    if (value != "text" && value != "json") {
      return Usage(err, "unknown format '" + value + "' (text or json)");
    }
    o.json = value == "json";
  } else {
    for (std::size_t start = 0; start <= value.size();) {
      const std::size_t comma = std::min(value.find(',', start), value.size());
      const std::string wanted = value.substr(start, comma - start);
      const auto check = check::FindCheck(wanted);
      if (!check) return Usage(err, "unknown check '" + wanted + "'");
      o.ignored.insert(*check);
      start = comma + 1;
    }
  }
  return -1;
}

std::string RunName(Run run) {
  return run == Run::Stats ? "--stats" : run == Run::Script ? "--script" : "--textconv";
}

// Takes one of the runs beside the check. Returns -1, or the exit status when another is taken.
int TakeRun(Run run, Options& o, std::ostream& err) {
  if (o.run != Run::Check && o.run != run) {
    return Usage(err, RunName(o.run) + " and " + RunName(run) + " do not go together");
  }
  o.run = run;
  return -1;
}

// Returns -1 to go on, or the exit status.
int Parse(const std::vector<std::string>& args, Options& o, std::ostream& out, std::ostream& err,
          std::string_view lineEnd) {
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnd || a.size() < 2 || a[0] != '-') {
      o.files.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnd = true;
    } else if (a == "--help" || a == "-h") {
      out << InLineEnds(kUsageHead + std::string(dlgcheck::kMapHelp) + dlgcheck::kScriptHelp +
                            kUsageOptions + CheckList() + kUsageTail,
                        lineEnd);
      return kClean;
    } else if (a == "--version") {
      out << InLineEnds("dlgcheck " DLG_VERSION "\n", lineEnd);
      return kClean;
    } else if (a == "--werror") {
      o.werror = true;
    } else if (a == "--stats" || a == "--textconv") {
      if (const int status = TakeRun(a == "--stats" ? Run::Stats : Run::Textconv, o, err);
          status >= 0) {
        return status;
      }
    } else {
      // "--opt VALUE" or "--opt=VALUE"
      const std::size_t eq = a.find('=');
      const std::string name = a.substr(0, eq);
      if (name != "--map" && name != "--format" && name != "--ignore" && name != "--script" &&
          name != "--against") {
        // git's textconv appends the file's name as the work tree has it, "-x.dlg" too.
        if (o.run == Run::Textconv && i + 1 == args.size()) {
          o.files.push_back(a);
          continue;
        }
        return Usage(err, "unknown option '" + a + "'");
      }
      std::string value;
      if (eq != std::string::npos) {
        value = a.substr(eq + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Usage(err, "option " + name + " needs a value");
      }
      if (name == "--script") {
        if (const int status = TakeRun(Run::Script, o, err); status >= 0) return status;
      }
      if (const int status = TakeOption(name, value, o, err); status >= 0) return status;
    }
  }
  if (o.files.empty()) return Usage(err, "no FILE given");
  if (o.run != Run::Check && !o.map.empty()) {
    return Usage(err, "--map draws with the check, not with " + RunName(o.run));
  }
  if (o.run != Run::Check && !o.against.empty()) {
    return Usage(err, "--against compares with the check, not with " + RunName(o.run));
  }
  if (o.run == Run::Textconv && o.files.size() != 1)
    return Usage(err, "--textconv prints one FILE");
  if (!o.map.empty() && o.files.size() != 1) return Usage(err, "--map draws one FILE only");
  return -1;
}

}  // namespace

int RunDlgcheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                std::string_view lineEnd) {
  Options o;
  if (const int status = Parse(args, o, out, err, lineEnd); status >= 0) {
    // --help or --version lost to a full disk is no help shown.
    if (status == kClean && !(out << std::flush)) {
      err << "dlgcheck: cannot write to standard output\n";
      return kTrouble;
    }
    return status;
  }

  // A map named like the file it draws or the SOURCE it compares with, or a link to either,
  // would replace that dialogue.
  if (!o.map.empty() && dlgcheck::SameFile(o.map, o.files[0])) {
    return Usage(err, "the map '" + o.map + "' is the file being checked");
  }
  if (!o.map.empty() && !o.against.empty() && dlgcheck::SameFile(o.map, o.against)) {
    return Usage(err, "the map '" + o.map + "' is the SOURCE being compared with");
  }
  std::vector<dlgcheck::Input> inputs;
  for (const std::string& path : o.files) {
    for (dlgcheck::Input& input : dlgcheck::DialoguesAt(path)) inputs.push_back(std::move(input));
  }
  if (!o.map.empty() && (inputs.size() != 1 || inputs[0].path != o.files[0])) {
    return Usage(err, "--map draws one FILE only");
  }
  if (o.run == Run::Textconv) {
    if (inputs.size() != 1 || inputs[0].path != o.files[0]) {
      return Usage(err, "--textconv prints one FILE");
    }
    return dlgcheck::RunTextconv(inputs[0], out, err);
  }
  if (o.run == Run::Stats) return dlgcheck::RunStats(inputs, o.json, out, err, lineEnd);
  if (o.run == Run::Script) {
    // A script named like a dialogue it reads, or a link to one, would replace the dialogue.
    for (const dlgcheck::Input& input : inputs) {
      if (dlgcheck::SameFile(o.script, input.path)) {
        return Usage(err, "the script '" + o.script + "' is a file being read");
      }
    }
    return dlgcheck::RunScript(o.script, inputs, out, err, lineEnd);
  }
  std::vector<Checked> checked;
  bool trouble = false;
  int unreadable = 0;
  std::string sourceBytes;
  if (!o.against.empty()) {
    if (const std::string failed = dlgcheck::ReadWhole(o.against, sourceBytes); !failed.empty()) {
      err << "dlgcheck: cannot read " << NameShown(o.against) << ": " << failed << "\n";
      return kTrouble;
    }
  }
  const Conversation source = ReadConversation(sourceBytes);
  for (const auto& [path, listFailure] : inputs) {
    auto bytes = std::make_unique<std::string>();
    if (const std::string failed =
            listFailure.empty() ? dlgcheck::ReadWhole(path, *bytes) : listFailure;
        !failed.empty()) {
      err << "dlgcheck: cannot read " << check::NameShown(path) << ": " << failed << "\n";
      trouble = true;
      ++unreadable;
      continue;
    }
    Checked& file = checked.emplace_back(path, std::move(bytes));
    const Conversation& conversation = file.conversation;
    file.problems = check::FindProblems(conversation);
    std::erase_if(file.problems,
                  [&](const check::Problem& p) { return o.ignored.count(p.Check()) > 0; });
    if (!o.against.empty() && o.ignored.count("translation") == 0)
      file.differences = translate::CompareRecords(source, NameShown(o.against), conversation);
    if (o.map.empty()) continue;
    std::string image, problem;
    if (const std::string why = map::WhyNotDrawn(conversation); !why.empty()) {
      err << "dlgcheck: cannot draw " << check::NameShown(o.map) << ": " << why << "\n";
      trouble = true;
    } else if (!dlgcheck::MakeMap(conversation, o.mapFormat, image, problem)) {
      err << "dlgcheck: cannot draw " << check::NameShown(o.map) << ": " << problem << "\n";
      trouble = true;
    } else if (const std::string failed = dlgcheck::ReplaceWhole(o.map, image); !failed.empty()) {
      err << "dlgcheck: cannot write " << check::NameShown(o.map) << ": " << failed << "\n";
      trouble = true;
    }
  }
  std::stable_sort(checked.begin(), checked.end(), [](const auto& a, const auto& b) {
    return PathBefore(a.path, b.path, dlgcheck::kSeparators);
  });
  check::Totals t{.files = static_cast<int>(checked.size())};
  for (const Checked& file : checked) {
    for (const check::Problem& p : file.problems) {
      t.errors += p.severity == check::Severity::Error;
      t.warnings += p.severity == check::Severity::Warning;
    }
    t.errors += static_cast<int>(file.differences.size());
  }
  check::ReportWriter report(out, o.json, t, unreadable, lineEnd);
  for (const Checked& file : checked) file.Report(report);
  report.End();
  out << std::flush;
  // A build script reading the report from a full disk must not take silence for a clean file.
  if (!out) {
    err << "dlgcheck: cannot write the report to standard output\n";
    return kTrouble;
  }
  if (trouble) return kTrouble;
  return t.errors > 0 || (o.werror && t.warnings > 0) ? kFindings : kClean;
}

}  // namespace dlg

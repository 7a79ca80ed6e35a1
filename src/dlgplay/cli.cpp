#include "dlgplay/cli.h"

#include <optional>

#include "dialogue/cp1252.h"
#include "dialogue/quoted_text.h"
#include "dialogue/utf8.h"
#include "fileio/file_ops.h"
#include "fileio/files.h"
#include "play/play.h"

namespace dlg {

namespace {

constexpr int kPlayed = 0;
constexpr int kStopped = 1;
constexpr int kTrouble = 2;

const char kUsage[] =
    "Usage: dlgplay [--female] [--int N] [--false CONDITION]... [--from LINE] FILE [REPLY...]\n"
    "Plays an Ashgloam dialogue file (.dlg) as the player meets it, taking the replies given by\n"
    "their line numbers in order, and prints the transcript, one entry a line:\n"
    "  NPC 10: what the non-player character says\n"
    "  PC 11: the reply chosen, with '  runs: ...' under it for its execution flags\n"
    "When the replies given run out, the replies offered there follow, '  11: text [marks]'.\n"
    "Where two replies of a line share a number, the second is given as 21#2.\n"
    "\n"
    "  --female           play a female player (the default is male)\n"
    "  --int N            the player's intelligence, 1 to 20 (the default is 10)\n"
    "  --false CONDITION  a reply with these condition flags is not offered (repeatable)\n"
    "  --from LINE        start at this line instead of the first record\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Exit status: 0 the conversation ended (END) or waits for a reply, 1 a reply given was not\n"
    "offered or the conversation stopped (the last line says why), 2 the file could not be read,\n"
    "the transcript could not be written, or the command line is wrong.\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "dlgplay: " << problem << "\nTry 'dlgplay --help'.\n";
  return kTrouble;
}

// An argument in the file's bytes. Valid UTF-8 is mapped through the Windows-1252 table, where
// a character it has no byte for is refused; anything else is taken as the bytes it is.
std::optional<std::string> FileBytes(const std::string& arg) {
  std::string bytes;
  for (std::size_t i = 0; i < arg.size();) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(arg, i, cp);
    if (n == 0) return arg;
    int byte = -1;
    for (int b = 0; b < 256 && byte < 0; ++b)
      if (Cp1252CodePoint(static_cast<unsigned char>(b)) == cp) byte = b;
    if (byte < 0) return std::nullopt;
    bytes += static_cast<char>(byte);
    i += n;
  }
  return bytes;
}

struct Options {
  play::Setup setup;
  std::string file;
  std::vector<play::Choice> replies;
};

// Returns -1 to go on, or the exit status.
int Parse(const std::vector<std::string>& args, Options& o, std::ostream& out, std::ostream& err) {
  bool optionsEnd = false, haveFile = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnd || a.size() < 2 || a.compare(0, 2, "--") != 0) {
      if (!haveFile) {
        o.file = a;
        haveFile = true;
        continue;
      }
      const auto number = FileBytes(a);
      if (!number) return Usage(err, "the reply '" + a + "' has a character Windows-1252 lacks");
      o.replies.push_back({*number, false});
      continue;
    }
    if (a == "--") {
      optionsEnd = true;
    } else if (a == "--help") {
      out << kUsage;
      return kPlayed;
    } else if (a == "--version") {
      out << "dlgplay " DLG_VERSION "\n";
      return kPlayed;
    } else if (a == "--female") {
      o.setup.sex = play::Sex::Female;
    } else {
      const std::size_t eq = a.find('=');
      const std::string name = a.substr(0, eq);
      if (name != "--int" && name != "--false" && name != "--from")
        return Usage(err, "unknown option '" + a + "'");
      std::string value;
      if (eq != std::string::npos) {
        value = a.substr(eq + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Usage(err, "option " + name + " needs a value");
      }
      if (name == "--int") {
        const bool digits = !value.empty() && value.size() <= 2 &&
                            value.find_first_not_of("0123456789") == std::string::npos;
        const int n = digits ? std::stoi(value) : 0;
        if (n < play::kLeastIntelligence || n > play::kMostIntelligence)
          return Usage(err, "--int takes a whole number from 1 to 20, not '" + value + "'");
        o.setup.intelligence = n;
        continue;
      }
      // An empty value (a script's unset variable) would silently mean the first record.
      if (name == "--from" && value.empty()) return Usage(err, "--from takes a line number");
      const auto bytes = FileBytes(value);
      if (!bytes) return Usage(err, "'" + value + "' has a character Windows-1252 lacks");
      if (name == "--false") {
        o.setup.falseConditions.insert(*bytes);
      } else {
        o.setup.from = *bytes;
      }
    }
  }
  if (!haveFile) return Usage(err, "no FILE given");
  return -1;
}

}  // namespace

int RunDlgplay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options o;
  if (const int status = Parse(args, o, out, err); status >= 0) {
    // --help or --version lost to a full disk is no help shown.
    if (status == kPlayed && !(out << std::flush)) {
      err << "dlgplay: cannot write to standard output\n";
      return kTrouble;
    }
    return status;
  }
  std::string bytes;
  Files files(PosixFileOps());
  if (const FileResult r = files.ReadAll(o.file, bytes); !r) {
    err << "dlgplay: cannot " << r.failure.operation << " " << NameShown(o.file) << ": "
        << r.failure.Reason() << "\n";
    return kTrouble;
  }
  const Conversation c = ReadConversation(std::string_view(bytes));
  const play::Play p = play::PlayConversation(c, o.setup, o.replies);
  std::string text = play::TranscriptText(p);
  // A reply given after the end or a stop was never offered: a script that expects it to be met
  // must hear. A stop at a reply not offered names that reply already.
  const play::Entry& last = p.transcript.back();
  if (p.choicesTaken < o.replies.size()) {
    const std::string name = o.replies[p.choicesTaken].name;
    if (last.kind == play::EntryKind::End)
      text += "not offered: " + name + " (the conversation has ended)\n";
    else if (last.kind == play::EntryKind::Stop && !last.text.starts_with("not offered: "))
      text += "not offered: " + name + " (the conversation has stopped)\n";
  }
  out << VisibleText(text) << std::flush;
  // A golden transcript written to a full disk must not pass for the conversation played.
  if (!out) {
    err << "dlgplay: cannot write the transcript to standard output\n";
    return kTrouble;
  }
  const bool stopped = p.transcript.back().kind == play::EntryKind::Stop;
  return stopped || p.choicesTaken < o.replies.size() ? kStopped : kPlayed;
}

}  // namespace dlg

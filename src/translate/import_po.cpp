#include "translate/import_po.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "dialogue/conversation.h"
#include "dialogue/cp1252.h"
#include "dialogue/record.h"
#include "dialogue/utf8.h"
#include "translate/po_file.h"
#include "translate/wordings.h"

namespace dlg::translate {

namespace {

// A character that a terminal would show as itself: not a control, nor one of the marks that
// only change the text around them (zero widths, direction overrides, the byte order mark),
// which quoted would turn the rest of the message around or show as nothing.
bool Shows(char32_t cp) {
  return cp >= 0xA0 && !(cp >= 0x200B && cp <= 0x200F) && !(cp >= 0x2028 && cp <= 0x202E) &&
         !(cp >= 0x2060 && cp <= 0x206F) && cp != 0xFEFF;
}

std::string CodePointName(char32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
  return text;
}

// A translation in the dialogue's bytes, or why it cannot be one (and at which line of the PO).
bool ToDialogueBytes(const PoEntry& e, std::string_view po, std::string& bytes, int& line,
                     std::string& why) {
  const std::string_view s = e.str;
  bytes.clear();
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(s, i, cp);
    if (n == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
      line = e.strLine;
      why = "the translation is not valid UTF-8";
      return false;
    }
    const std::optional<unsigned char> b = Cp1252Byte(cp);
    if (b && IsForbiddenFieldByte(static_cast<char>(*b))) {
      const bool brace = *b == '}';
      line = LineHolding(po, e.strOffset, e.strLine, brace ? "}" : "",
                         brace ? '\0' : (*b == '\r' ? 'r' : 'n'));
      why = brace ? "the translation holds \"}\", which would end the field in the dialogue file"
                  : std::string("the translation holds a line break (") +
                        (*b == '\r' ? "CR" : "LF") + "), which a dialogue record cannot hold";
      return false;
    }
    if (!b) {
      const std::string_view ch = s.substr(i, n);
      line = LineHolding(po, e.strOffset, e.strLine, ch);
      why = "the translation holds " +
            (Shows(cp) ? "\"" + std::string(ch) + "\" (" + CodePointName(cp) + ")"
                       : CodePointName(cp)) +
            ", which the Windows-1252 table of dialogue files cannot hold";
      return false;
    }
    bytes += static_cast<char>(*b);
    i += n;
  }
  return true;
}

}  // namespace

ImportResult ImportPo(std::string_view source, std::string_view po, const ImportOptions& o) {
  ImportResult result;
  const Conversation c = ReadConversation(source);
  const std::vector<Wording> wordings = ListWordings(c, source);
  result.wordings = static_cast<int>(wordings.size());
  std::unordered_map<std::string_view, int> byContext;
  byContext.reserve(wordings.size());
  for (std::size_t i = 0; i < wordings.size(); ++i) byContext[wordings[i].context] = int(i);

  auto refuse = [&](int line, const std::string& why) {
    result.problems.push_back(o.poName + (line > 0 ? ":" + std::to_string(line) : "") + ": " + why);
  };
  // gettext reads a NUL as the end of its string and would drop the rest of the translation.
  if (const std::size_t nul = po.find('\0'); nul != std::string_view::npos) {
    refuse(1 + int(std::count(po.begin(), po.begin() + nul, '\n')),
           "the PO file holds the byte 0x00, where gettext would cut the text short");
    return result;
  }
  PoReader reader;
  if (std::vector<PoProblem> problems; !reader.Read(po, problems)) {
    for (const PoProblem& p : problems) refuse(p.line, p.message);
    return result;
  }
  struct Replacement {
    bool set = false;
    std::string bytes;
  };
  std::vector<Replacement> replacements(wordings.size());
  // A context of no wording: most often one of a record whose wording has been emptied since
  // the PO file was made, which is said so, rather than that there is no such record.
  std::vector<RecordKey> keys;
  std::unordered_map<std::string, std::size_t> byKey;
  const auto unknown = [&](const char* context) {
    if (context == nullptr)
      return "the entry has no context, so it names no record of " + o.sourceName;
    const std::string_view name = context;
    const std::string_view female = " female";
    const bool isFemale = name.ends_with(female);
    const std::string key(isFemale ? name.substr(0, name.size() - female.size()) : name);
    if (keys.empty()) {
      keys = RecordKeys(c);
      for (std::size_t i = 0; i < keys.size(); ++i) byKey.emplace(keys[i].text, i);
    }
    const std::string quoted = "the context \"" + std::string(name) + "\" ";
    const auto found = byKey.find(key);
    if (found == byKey.end()) return quoted + "names no record of " + o.sourceName;
    return quoted + "names the " + (isFemale ? "female" : "male") + " wording of " +
           RecordName(c.records[found->second], keys[found->second]) + ", which is empty in " +
           o.sourceName;
  };
  std::string bytes, why;
  reader.ForEach([&](const PoEntry& e) {
    const auto found = e.context == nullptr ? byContext.end() : byContext.find(e.context);
    if (found == byContext.end()) {
      if (o.ignoreUnknown) return;
      refuse(e.strLine, unknown(e.context));
      return;
    }
    if (const int nul = LineOfEscapedNul(po, e.strOffset, e.strLine); nul != 0) {
      refuse(nul,
             "the translation holds an escape of the byte 0x00, where gettext cuts the text "
             "short");
      return;
    }
    if (*e.str == '\0') return;
    const Wording& w = wordings[found->second];
    // An entry whose msgid is not the wording translates another text: one the dialogue had
    // before, or another file's that happens to carry the same numbers. msgmerge turns the
    // first kind into fuzzy entries; taken as they stand, --fuzzy would write either kind.
    if (Cp1252ToUtf8(source.substr(w.offset, w.size)) != e.id) {
      ++result.otherTextLeftOut;
      return;
    }
    if (e.fuzzy && !o.fuzzy) {
      ++result.fuzzyLeftOut;
      return;
    }
    int line = 0;
    if (!ToDialogueBytes(e, po, bytes, line, why)) {
      refuse(line, why);
      return;
    }
    replacements[found->second] = {true, bytes};
  });
  if (!result.problems.empty()) return result;

  std::size_t kept = 0;  // the source's bytes written so far
  result.dialogue.reserve(source.size() + source.size() / 4);
  for (std::size_t i = 0; i < wordings.size(); ++i) {
    if (!replacements[i].set) continue;
    result.dialogue.append(source.substr(kept, wordings[i].offset - kept));
    result.dialogue += replacements[i].bytes;
    kept = wordings[i].offset + wordings[i].size;
    ++result.translated;
  }
  result.dialogue.append(source.substr(kept));
  result.ok = true;
  return result;
}

std::string Summary(const ImportResult& r) {
  return std::to_string(r.translated) + " of " + std::to_string(r.wordings) +
         " wordings translated, " + std::to_string(r.fuzzyLeftOut) + " fuzzy left out" +
         (r.otherTextLeftOut == 0 ? ""
                                  : ", " + std::to_string(r.otherTextLeftOut) +
                                        " with another msgid left out (msgmerge updates them)");
}

}  // namespace dlg::translate

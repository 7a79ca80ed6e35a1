#include "translate/export_po.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <unordered_map>

#include "dialogue/conversation.h"
#include "dialogue/cp1252.h"
#include "dialogue/quoted_text.h"
#include "translate/compare.h"
#include "translate/po_file.h"
#include "translate/wordings.h"

namespace dlg::translate {

namespace {

std::string HeaderFields(const ExportOptions& o) {
  const bool t = o.templateFile;
  return "Project-Id-Version: " + o.sourceName + "\n" + "POT-Creation-Date: " + o.date + "\n" +
         "PO-Revision-Date: " + (t ? std::string("YEAR-MO-DA HO:MI+ZONE") : o.date) + "\n" +
         "Last-Translator: " + (t ? "FULL NAME <EMAIL@ADDRESS>" : "") + "\n" +
         "Language-Team: " + (t ? "LANGUAGE <LL@li.org>" : "") + "\n" + "Language: " + o.language +
         "\n" +
         "MIME-Version: 1.0\n"
         "Content-Type: text/plain; charset=UTF-8\n"
         "Content-Transfer-Encoding: 8bit\n";
}

// A PO string is a C string, which a NUL byte would cut short, and gettext keeps EOT (0x04)
// between a context and its text.
std::string UnwritableByte(const Conversation& c, const std::string& sourceName) {
  for (const Record& r : c.records) {
    const Fields& f = r.Fields();
    for (std::string_view field :
         {f.lineNumber, f.maleText, f.femaleText, f.intCheck, f.conditionFlags, f.jumpLine}) {
      for (const char* b : {"\0", "\x04"}) {
        if (field.find(b, 0, 1) == std::string_view::npos) continue;
        return sourceName + ":" + std::to_string(r.line) + ": the record holds the byte " +
               (*b == 0 ? "0x00" : "0x04") + ", which a PO file cannot hold";
      }
    }
  }
  return "";
}

// The translations of a file translated by hand: by context, the wordings of the records that
// match, with a note on every record that does not.
std::unordered_map<std::string, std::string> Harvest(const Conversation& source,
                                                     const Conversation& translated,
                                                     const ExportOptions& o,
                                                     std::vector<std::string>& notes) {
  std::unordered_map<std::string, std::string> found;
  std::vector<std::pair<int, std::string>> byLine;
  std::vector<bool> differs(translated.records.size(), false);
  for (const Difference& d : CompareRecords(source, o.sourceName, translated)) {
    byLine.emplace_back(d.line, d.message + "; left untranslated");
    if (d.record >= 0) differs[d.record] = true;
  }
  std::unordered_map<std::string, int> sourceByKey;
  const std::vector<RecordKey> sourceKeys = RecordKeys(source);
  for (std::size_t i = 0; i < sourceKeys.size(); ++i) sourceByKey[sourceKeys[i].text] = int(i);
  const std::vector<RecordKey> keys = RecordKeys(translated);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto s = sourceByKey.find(keys[i].text);
    if (differs[i] || s == sourceByKey.end()) continue;
    const Record& t = translated.records[i];
    for (Form form : {Form::Male, Form::Female}) {
      const bool has = !WordingOf(t, form).empty();
      if (has == !WordingOf(source.records[s->second], form).empty()) {
        if (has) found[Context(keys[i], form)] = Cp1252ToUtf8(WordingOf(t, form));
        continue;
      }
      const char* which = form == Form::Male ? "male" : "female";
      byLine.emplace_back(
          t.line, RecordName(t, keys[i]) +
                      (has ? std::string(" has a ") + which + " wording that " + o.sourceName +
                                 " has not; left out"
                           : std::string(" has no ") + which + " wording; left untranslated"));
    }
  }
  std::stable_sort(byLine.begin(), byLine.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [line, note] : byLine) {
    notes.push_back(o.translatedName + ":" + std::to_string(line) + ": " + note);
  }
  return found;
}

// A wording whose line ends before its "}" is no wording to the reader, and so no entry: the
// translator hears of it, as dlgcheck reports the record.
void NoteUnclosedWordings(const Conversation& c, const std::string& sourceName,
                          std::vector<std::string>& notes) {
  std::vector<RecordKey> keys;
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    const Record& r = c.records[i];
    if (r.fieldCount != 1 && r.fieldCount != 2) continue;
    const std::string_view text = c.lines[r.line - 1].Text();
    std::size_t open = 0;
    for (int k = 0; k < r.fieldCount; ++k) open = text.find('}', open) + 1;
    if (open + 1 >= text.size()) continue;  // nothing after the opener
    if (keys.empty()) keys = RecordKeys(c);
    notes.push_back(sourceName + ":" + std::to_string(r.line) + ": " + RecordName(r, keys[i]) +
                    "'s " + (r.fieldCount == 1 ? "male" : "female") +
                    " wording is not closed by \"}\"; left out");
  }
}

}  // namespace

ExportResult ExportPo(std::string_view source, const ExportOptions& given,
                      const std::string_view* translated) {
  // The names go into the PO file's comments and references, which gettext reads as UTF-8 and
  // by lines: one that is not UTF-8, or holds a line break, would make the file unreadable.
  ExportOptions o = given;
  o.sourceName = NameShown(given.sourceName);
  o.translatedName = NameShown(given.translatedName);
  ExportResult result;
  const Conversation c = ReadConversation(source);
  result.problem = UnwritableByte(c, o.sourceName);
  if (!result.problem.empty()) return result;
  NoteUnclosedWordings(c, o.sourceName, result.notes);
  std::unordered_map<std::string, std::string> harvested;
  if (translated != nullptr) {
    harvested = Harvest(c, ReadConversation(*translated), o, result.notes);
  }
  PoWriter writer;
  writer.Header("Wordings of " + o.sourceName + "; po2dlg -t " + o.sourceName + " puts them back.",
                HeaderFields(o), o.templateFile);
  static const std::string kEmpty;
  const std::vector<Wording> wordings = ListWordings(c, source);
  result.wordings = static_cast<int>(wordings.size());
  for (const Wording& w : wordings) {
    const auto h = harvested.find(w.context);
    writer.Add(w.context, Cp1252ToUtf8(source.substr(w.offset, w.size)),
               h == harvested.end() ? kEmpty : h->second, TranslatorNote(c, w.record, w.form),
               o.sourceName, c.records[w.record].line);
  }
  result.ok = writer.Write(result.po, result.problem);
  return result;
}

std::string PoDateNow() {
  std::time_t t = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    t = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
  }
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M+0000", &tm);
  return text;
}

}  // namespace dlg::translate

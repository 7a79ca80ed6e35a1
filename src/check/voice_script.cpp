#include "check/voice_script.h"

#include "check/counts.h"
#include "dialogue/cp1252.h"
#include "dialogue/quoted_text.h"

namespace dlg::check {

namespace {

// The NPC lines in reading order, each with the reply it is first reached by (-1: none).
struct Reading {
  std::vector<int> order;
  std::vector<int> via;
};

Reading ReadingOrder(const Conversation& c) {
  const int n = static_cast<int>(c.records.size());
  Reading out;
  out.via.assign(c.records.size(), -1);
  std::vector<bool> seen(c.records.size(), false);
  struct Open {
    int line;
    int next;  // the next of its replies to follow
  };
  std::vector<Open> open;  // a stack, not recursion: a long chain of lines is no deep call
  auto meet = [&](int line, int reply) {
    seen[line] = true;
    out.via[line] = reply;
    out.order.push_back(line);
    open.push_back({line, 0});
  };
  for (int root = 0; root < n; ++root) {
    if (!c.records[root].npc || seen[root]) continue;
    meet(root, -1);
    while (!open.empty()) {
      Open& top = open.back();
      if (top.next == c.records[top.line].replyCount) {
        open.pop_back();
        continue;
      }
      const int reply = top.line + 1 + top.next++;
      const Target& t = c.target[reply];
      if (t.kind == TargetKind::Record && c.records[t.record].npc && !seen[t.record]) {
        meet(t.record, reply);  // `top` is not used after this
      }
    }
  }
  return out;
}

std::string Condition(const Fields& reply) {
  std::string out;
  if (!reply.intCheck.empty()) out = "Int " + Cp1252ToUtf8(reply.intCheck);
  if (!reply.conditionFlags.empty()) {
    out += (out.empty() ? "" : "; ") + Cp1252ToUtf8(reply.conditionFlags);
  }
  return out;
}

void AppendCsvField(std::string& out, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (const char ch : field) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

}  // namespace

void AppendScriptRows(const Conversation& c, const std::string& file,
                      std::vector<ScriptRow>& rows) {
  const Reading reading = ReadingOrder(c);
  for (const int line : reading.order) {
    const Fields& f = c.records[line].Fields();
    ScriptRow row;
    row.file = NameShown(file);  // a CSV and a workbook hold UTF-8 only
    row.line = Cp1252ToUtf8(f.lineNumber);
    if (const int via = reading.via[line]; via != -1) {
      const Fields& reply = c.records[via].Fields();
      row.reply = Cp1252ToUtf8(reply.lineNumber);
      row.replyText = Cp1252ToUtf8(reply.maleText);
      row.condition = Condition(reply);
    }
    row.text = Cp1252ToUtf8(f.maleText);
    row.words = CountWords(f.maleText);
    rows.push_back(row);
    if (f.femaleText.empty()) continue;
    row.female = true;
    row.text = Cp1252ToUtf8(f.femaleText);
    row.words = CountWords(f.femaleText);
    rows.push_back(std::move(row));
  }
}

std::string ScriptCsv(const std::vector<ScriptRow>& rows) {
  std::string out = "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < kScriptColumns.size(); ++i) {
    out += std::string(i ? "," : "") + kScriptColumns[i];
  }
  out += "\r\n";
  for (const ScriptRow& r : rows) {
    for (const std::string* field : {&r.file, &r.line}) {
      AppendCsvField(out, *field);
      out += ',';
    }
    out += r.female ? "female," : "male,";
    AppendCsvField(out, r.text);
    out += ',';
    out += std::to_string(r.words);
    out += ',';
    AppendCsvField(out, r.reply);
    out += ',';
    AppendCsvField(out, r.replyText);
    out += ',';
    AppendCsvField(out, r.condition);
    out += "\r\n";
  }
  return out;
}

std::string WorkbookCellText(const std::string& text) {
  const auto hex = [](char ch) {
    const char lower = static_cast<char>(ch | 0x20);
    return (ch >= '0' && ch <= '9') || (lower >= 'a' && lower <= 'f');
  };
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_' && i + 7 <= text.size() && text[i + 1] == 'x' && hex(text[i + 2]) &&
        hex(text[i + 3]) && hex(text[i + 4]) && hex(text[i + 5]) && text[i + 6] == '_')
      out += "_x005F";
    out += text[i];
  }
  return out;
}

}  // namespace dlg::check

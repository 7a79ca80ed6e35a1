#include "translate/compare.h"

#include <algorithm>
#include <unordered_map>

#include "dialogue/quoted_text.h"
#include "translate/wordings.h"

namespace dlg::translate {

namespace {

struct KeptField {
  std::string_view Fields::*field;
  const char* name;  // with its verb
};
constexpr KeptField kKept[] = {
    {&Fields::intCheck, "intelligence check is"},
    {&Fields::conditionFlags, "condition flags are"},
    {&Fields::jumpLine, "jump is"},
    {&Fields::executionFlags, "execution flags are"},
};

std::string Where(std::string_view sourceName, const Record& r) {
  return std::string(sourceName) + ":" + std::to_string(r.line);
}

}  // namespace

std::vector<Difference> CompareRecords(const Conversation& source, std::string_view sourceName,
                                       const Conversation& file) {
  const std::vector<RecordKey> sourceKeys = RecordKeys(source);
  const std::vector<RecordKey> fileKeys = RecordKeys(file);
  std::unordered_map<std::string_view, int> sourceByKey;
  sourceByKey.reserve(sourceKeys.size());
  for (std::size_t i = 0; i < sourceKeys.size(); ++i) sourceByKey[sourceKeys[i].text] = int(i);

  const int sourceCount = static_cast<int>(source.records.size());
  const int fileCount = static_cast<int>(file.records.size());
  std::vector<int> pairOfFile(fileCount, -1);
  std::vector<bool> sourcePaired(sourceCount, false);
  for (int i = 0; i < fileCount; ++i) {
    if (auto it = sourceByKey.find(fileKeys[i].text); it != sourceByKey.end()) {
      pairOfFile[i] = it->second;
      sourcePaired[it->second] = true;
    }
  }
  // A number mistyped leaves one record unmatched on each side, in the same place.
  for (int i = 0; i < std::min(fileCount, sourceCount); ++i) {
    if (pairOfFile[i] == -1 && !sourcePaired[i]) {
      pairOfFile[i] = i;
      sourcePaired[i] = true;
    }
  }

  std::vector<Difference> out;
  for (int i = 0; i < fileCount; ++i) {
    const Record& r = file.records[i];
    const std::string name = RecordName(r, fileKeys[i]);
    if (pairOfFile[i] == -1) {
      out.push_back({r.line, name + " is not in " + std::string(sourceName), i});
      continue;
    }
    const Record& s = source.records[pairOfFile[i]];
    if (sourceKeys[pairOfFile[i]].text != fileKeys[i].text) {
      out.push_back({r.line,
                     name + " stands where " + Where(sourceName, s) + " has " +
                         RecordName(s, sourceKeys[pairOfFile[i]]),
                     i});
    }
    for (const KeptField& k : kKept) {
      if (r.Fields().*k.field == s.Fields().*k.field) continue;
      out.push_back({r.line,
                     name + "'s " + k.name + " " + Quoted(r.Fields().*k.field) + " where " +
                         Where(sourceName, s) + " has " + Quoted(s.Fields().*k.field),
                     i});
    }
  }
  // A missing record is reported where it would stand: after the record before it.
  int lineBefore = 1;
  std::vector<int> fileLineOfSource(sourceCount, 0);
  for (int i = 0; i < fileCount; ++i) {
    if (pairOfFile[i] >= 0) fileLineOfSource[pairOfFile[i]] = file.records[i].line;
  }
  for (int s = 0; s < sourceCount; ++s) {
    if (sourcePaired[s]) {
      lineBefore = fileLineOfSource[s];
      continue;
    }
    out.push_back({lineBefore,
                   RecordName(source.records[s], sourceKeys[s]) + " of " +
                       Where(sourceName, source.records[s]) + " is missing",
                   -1});
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Difference& a, const Difference& b) { return a.line < b.line; });
  return out;
}

}  // namespace dlg::translate

// RewriteRecords over any working copy and a short edit, against a model of the rewrite built
// here from its own split into lines. Input: a control byte, a line-pick byte, the edit script
// up to a NUL ("number|male|female|int|cond|jump|exec|insertAfter"), then the working copy.
//   control bits 0-1: 0 or 1 replace, 2 insert after, 3 insert before the first line;
//   control bit 2: take the number (replace) or insertAfter (insert) from the first field of
//   the line that the pick byte names, so the edit meets a record of the file.

#include <vector>

#include "dialogue/record_reader.h"
#include "fuzz_check.h"
#include "reference_readers.h"
#include "rewrite_records.h"

namespace {

using namespace dlg;

struct ModelLine {
  std::string_view content;  // without its ending
  std::string_view ending;   // "\r\n", "\r", "\n" or "" at the end of the file
  std::string_view bytes;    // content and ending
};

std::vector<ModelLine> SplitLines(std::string_view b) {
  std::vector<ModelLine> lines;
  std::size_t pos = 0;
  while (pos < b.size()) {
    std::size_t end = b.find_first_of("\r\n", pos);
    std::size_t next = end;
    if (end == std::string_view::npos) {
      end = next = b.size();
    } else if (b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n') {
      next = end + 2;
    } else {
      next = end + 1;
    }
    lines.push_back(
        {b.substr(pos, end - pos), b.substr(end, next - end), b.substr(pos, next - pos)});
    pos = next;
  }
  return lines;
}

// Any opener; a "}" opener gives an empty field; the text ends at "}" or with the line.
std::string_view FirstField(std::string_view content) {
  if (content.empty() || content[0] == '}') return {};
  const std::size_t close = content.find('}', 1);
  return content.substr(1, close == std::string_view::npos ? close : close - 1);
}

std::vector<std::string> SplitScript(std::string_view script) {
  std::vector<std::string> pieces(8);
  std::size_t i = 0;
  for (char c : script) {
    if (c == '|') {
      if (++i == pieces.size()) break;
    } else {
      pieces[i].push_back(c);
    }
  }
  return pieces;
}

struct Model {
  std::string bytes;
  std::vector<std::size_t> writtenAt;  // offsets of the records the rewrite lays out
};

Model Expected(const std::vector<ModelLine>& lines, const std::string& line,
               const RewriteRequest& req) {
  Model m;
  const bool insert = req.mode == RewriteRequest::Mode::Insert;
  auto write = [&] {
    m.writtenAt.push_back(m.bytes.size());
    m.bytes += line;
  };
  if (insert && req.insertBeforeFirst) write();
  const std::string& wanted = insert ? req.insertAfter : req.record.lineNumber;
  for (const ModelLine& l : lines) {
    const bool hit =
        !(insert && req.insertBeforeFirst) && !wanted.empty() && FirstField(l.content) == wanted;
    if (!hit) {
      m.bytes += l.bytes;
    } else if (insert) {
      m.bytes += l.content;
      m.bytes += l.ending.empty() ? std::string_view("\r\n") : l.ending;
      write();
    } else {
      write();
    }
  }
  return m;
}

// Says which carried line went missing first, for the report of a broken run.
void ReportLostLine(const std::vector<ModelLine>& lines, std::string_view out) {
  std::size_t from = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t at = out.find(lines[i].bytes, from);
    if (at == std::string_view::npos) {
      std::fprintf(stderr, "line %zu (%zu bytes) is not carried\n", i, lines[i].bytes.size());
      return;
    }
    from = at + lines[i].bytes.size();
  }
}

// The fields read back with the readers that every command uses.
void CheckReadsBack(std::string_view out, std::size_t at, const DialogueRecord& r) {
  CharSource src{std::string(out.substr(at))};
  Char ch = kNoChar;
  for (const RecordField& f : kRecordFields) {
    std::string text;
    FUZZ_CHECK(ScanField(src, ch, text));
    FUZZ_CHECK(text == r.*f.member);
  }
  FUZZ_CHECK(src.Read() == kCR && src.Read() == kLF);
  std::string number;
  Char fieldChar = kNoChar;
  CharSource again{std::string(out.substr(at))};
  ReadField(again, number, fieldChar);
  FUZZ_CHECK(number == r.lineNumber);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::size_t nul = input.find('\0');
  const std::string_view script = nul == std::string_view::npos ? "" : input.substr(0, nul);
  const std::string_view copy = nul == std::string_view::npos ? input : input.substr(nul + 1);

  const std::vector<std::string> p = SplitScript(script);
  RewriteRequest req;
  const int mode = data[0] & 3;
  req.mode = mode < 2 ? RewriteRequest::Mode::Replace : RewriteRequest::Mode::Insert;
  req.insertBeforeFirst = mode == 3;
  req.record = {p[0], p[1], p[2], p[3], p[4], p[5], p[6]};
  req.insertAfter = p[7];

  const std::vector<ModelLine> lines = SplitLines(copy);
  if ((data[0] & 4) && !lines.empty()) {
    const std::string picked(FirstField(lines[data[1] % lines.size()].content));
    (req.mode == RewriteRequest::Mode::Replace ? req.record.lineNumber : req.insertAfter) = picked;
  }

  const RewriteResult result = RewriteRecords(copy, req);
  const DialogueRecord& r = req.record;
  const std::string* fields[] = {&r.lineNumber,     &r.maleText, &r.femaleText,    &r.intCheck,
                                 &r.conditionFlags, &r.jumpLine, &r.executionFlags};
  std::string line;
  bool clean = true;  // no field holds a byte that would read back differently
  for (const std::string* f : fields) {
    line += "{" + *f + "}";
    clean = clean && f->find_first_of("}\r\n") == std::string::npos;
  }
  line += "\r\n";
  const Model want = Expected(lines, line, req);
  if (result.bytes != want.bytes) {
    ReportLostLine(lines, result.bytes);
    FUZZ_CHECK(result.bytes == want.bytes);
  }
  FUZZ_CHECK(result.recordsWritten == static_cast<int>(want.writtenAt.size()));
  // "Add Line" refuses exactly the numbers that a rewrite of them would replace.
  if (req.mode == RewriteRequest::Mode::Replace) {
    FUZZ_CHECK(HoldsRecord(copy, r.lineNumber) == (result.recordsWritten > 0));
  }
  if (clean) {
    for (std::size_t at : want.writtenAt) CheckReadsBack(result.bytes, at, r);
  }
  return 0;
}

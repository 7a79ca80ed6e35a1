// The script as a workbook, by libxlsxwriter. It writes only to a file of its own naming, so the
// workbook is made under a free name beside the script and then put in place through the file
// layer, as a CSV script is: whole, flushed, renamed, never half-written.

#include <xlsxwriter.h>

#include <string>

#include "dialogue/quoted_text.h"
#include "dlgcheck/runs.h"
#include "fileio/files.h"

namespace dlg::dlgcheck {

const char kScriptHelp[] =
    "  --script OUT       write the voice-over script of every FILE as OUT (.csv or .xlsx)\n";

std::string ScriptRefusal(const std::string&) { return {}; }

namespace {

constexpr std::size_t kMostInCell = 32767;

// "" or why the workbook could not be made at `path`.
std::string MakeWorkbook(const std::string& path, const std::vector<check::ScriptRow>& rows) {
  if (rows.size() >= LXW_ROW_MAX) {
    return std::to_string(rows.size()) + " wordings are more than a worksheet's " +
           std::to_string(LXW_ROW_MAX - 1) + " rows";
  }
  // The library takes C strings: a byte 0 would end its cell and drop the rest without a word.
  for (const check::ScriptRow& r : rows) {
    for (const std::string* text : {&r.line, &r.text, &r.reply, &r.replyText, &r.condition}) {
      // The number is UTF-8 already; its control bytes are escaped as a name's are.
      if (text->find('\0') != std::string::npos) {
        return r.file + " line " + NameShown(r.line) +
               " holds the byte 0, which a workbook cannot hold (a CSV script keeps it)";
      }
      // Named here with its place, where the library would refuse the cell without one.
      if (const std::size_t n = lxw_utf8_strlen(check::WorkbookCellText(*text).c_str());
          n > kMostInCell) {
        return r.file + " line " + NameShown(r.line) + " holds a text of " + std::to_string(n) +
               " characters, more than a workbook cell's 32,767 (a CSV script keeps it)";
      }
    }
  }
  lxw_workbook* book = workbook_new(path.c_str());
  if (book == nullptr) return "the workbook could not be started";
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Script");
  lxw_format* head = workbook_add_format(book);
  format_set_bold(head);
  lxw_format* wrapped = workbook_add_format(book);
  format_set_text_wrap(wrapped);
  lxw_error e = LXW_NO_ERROR;
  auto keep = [&e](lxw_error r) {
    if (e == LXW_NO_ERROR) e = r;
  };
  for (lxw_col_t col = 0; col < check::kScriptColumns.size(); ++col) {
    keep(worksheet_write_string(sheet, 0, col, check::kScriptColumns[col], head));
  }
  // Room for the texts to be read, and the heading kept in view with a filter on it.
  const double widths[] = {24, 8, 8, 60, 7, 8, 40, 24};
  for (lxw_col_t col = 0; col < check::kScriptColumns.size(); ++col) {
    keep(worksheet_set_column(sheet, col, col, widths[col],
                              col == 3 || col == 6 ? wrapped : nullptr));
  }
  worksheet_freeze_panes(sheet, 1, 0);
  keep(worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows.size()),
                            static_cast<lxw_col_t>(check::kScriptColumns.size() - 1)));
  for (lxw_row_t row = 1; const check::ScriptRow& r : rows) {
    // Numbers stay text: "012" is another line than "12".
    const std::string* texts[] = {&r.file, &r.line,  nullptr,      &r.text,
                                  nullptr, &r.reply, &r.replyText, &r.condition};
    for (lxw_col_t col = 0; col < 8; ++col) {
      if (col == 2) {
        keep(worksheet_write_string(sheet, row, col, r.female ? "female" : "male", nullptr));
      } else if (col == 4) {
        keep(worksheet_write_number(sheet, row, col, r.words, nullptr));
      } else if (!texts[col]->empty()) {
        keep(worksheet_write_string(sheet, row, col, check::WorkbookCellText(*texts[col]).c_str(),
                                    nullptr));
      }
    }
    ++row;
  }
  const lxw_error closed = workbook_close(book);
  keep(closed);
  return e == LXW_NO_ERROR ? std::string() : lxw_strerror(e);
}

}  // namespace

std::string WriteScriptXlsx(const std::string& path, const std::vector<check::ScriptRow>& rows) {
  Files files(PosixFileOps());
  std::string made;
  if (const FileResult r = files.FreeNameBeside(path + ".dlgcheck", made); !r) {
    return r.failure.Reason();
  }
  // Made here first, so that a folder that cannot take it is named with the system's reason,
  // where the library would only guess at permissions.
  if (const FileResult r = files.CreateEmpty(made); !r) return r.failure.Reason();
  std::string why = MakeWorkbook(made, rows);
  std::string bytes;
  if (why.empty()) why = ReadWhole(made, bytes);
  if (why.empty()) why = ReplaceWhole(path, bytes);
  files.Delete(made);  // a workbook that failed may be half-made, or not made at all
  return why;
}

}  // namespace dlg::dlgcheck

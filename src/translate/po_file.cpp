#include "translate/po_file.h"

#include <error.h>
#include <gettext-po.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstring>

namespace dlg::translate {

namespace {

// A file that lives in memory only, with a name that the library can open.
class MemoryFile {
 public:
  MemoryFile() : fd_(memfd_create("po", MFD_CLOEXEC)) {}
  ~MemoryFile() {
    if (fd_ >= 0) close(fd_);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  std::string Name() const { return "/proc/self/fd/" + std::to_string(fd_); }
  bool Put(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }
  bool Take(std::string& bytes) {
    struct stat st {};
    if (fstat(fd_, &st) != 0) return false;
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = pread(fd_, bytes.data() + done, bytes.size() - done, off_t(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

 private:
  int fd_;
};

// The library reports through a handler that must not return from a fatal error: it jumps back
// to the call, over the library's own frames only.
std::vector<PoProblem>* g_problems = nullptr;
std::jmp_buf* g_jump = nullptr;

void XError(int severity, po_message_t, const char*, size_t lineno, size_t, int, const char* text) {
  if (severity >= PO_SEVERITY_ERROR) {
    ++error_message_count;  // as the library's own handler counts
    if (g_problems != nullptr) {
      std::string message = text;
      while (!message.empty() && message.back() == '\n') message.pop_back();
      g_problems->push_back({lineno == static_cast<size_t>(-1) ? 0 : int(lineno), message});
    }
  }
  if (severity == PO_SEVERITY_FATAL_ERROR) std::longjmp(*g_jump, 1);
}

// Two places, as gettext's own tools print them ("duplicate message definition..." and
// "...this is the location of the first definition"); the library gives no line for the second
// one here, and without it that half says nothing. The jump comes after the texts are gone.
void XError2(int severity, po_message_t m1, const char* f1, size_t l1, size_t c1, int ml1,
             const char* t1, po_message_t m2, const char* f2, size_t l2, size_t c2, int ml2,
             const char* t2) {
  const int each = std::min(severity, int(PO_SEVERITY_ERROR));
  if (l2 == 0 || l2 == static_cast<size_t>(-1)) {
    XError(each, m1, f1, l1, c1, ml1, t1);
  } else {
    const std::string first = std::string(t1) + "...", second = "..." + std::string(t2);
    XError(each, m1, f1, l1, c1, ml1, first.c_str());
    XError(each, m2, f2, l2, c2, ml2, second.c_str());
  }
  if (severity == PO_SEVERITY_FATAL_ERROR) std::longjmp(*g_jump, 1);
}

const po_xerror_handler kHandler = {XError, XError2};

// The gettext calls that may jump, kept apart from every object with a destructor.
po_file_t ReadGuarded(const char* name, std::jmp_buf& jump) {
  g_jump = &jump;
  if (setjmp(jump) != 0) return nullptr;
  return po_file_read(name, &kHandler);
}
bool WriteGuarded(po_file_t file, const char* name, std::jmp_buf& jump) {
  g_jump = &jump;
  if (setjmp(jump) != 0) return false;
  return po_file_write(file, name, &kHandler) != nullptr;
}

// The charset that a header's Content-Type names, "" when it names none.
std::string Charset(const char* header) {
  char* type = po_header_field(header, "Content-Type");
  if (type == nullptr) return "";
  std::string value = type;
  std::free(type);
  const std::size_t at = value.find("charset=");
  if (at == std::string::npos) return "";
  value = value.substr(at + 8);
  return value.substr(0, value.find_first_of(" ;"));
}

bool IsUtf8Name(std::string name) {
  for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return name.empty() || name == "UTF-8" || name == "ASCII" || name == "US-ASCII";
}

}  // namespace

// --- Writing ---------------------------------------------------------------------------------

struct PoWriter::Impl {
  po_file_t file = po_file_create();
  po_message_iterator_t at = po_message_iterator(file, nullptr);
  ~Impl() {
    po_message_iterator_free(at);
    po_file_free(file);
  }
};

PoWriter::PoWriter() : impl_(std::make_unique<Impl>()) {}
PoWriter::~PoWriter() = default;

void PoWriter::Header(const std::string& comment, const std::string& fields, bool fuzzy) {
  po_message_t m = po_message_create();
  po_message_set_msgid(m, "");
  po_message_set_msgstr(m, fields.c_str());
  po_message_set_comments(m, comment.c_str());
  po_message_set_fuzzy(m, fuzzy);
  po_message_insert(impl_->at, m);
}

void PoWriter::Add(const std::string& context, const std::string& id, const std::string& str,
                   const std::string& note, const std::string& file, int line) {
  po_message_t m = po_message_create();
  po_message_set_msgctxt(m, context.c_str());
  po_message_set_msgid(m, id.c_str());
  po_message_set_msgstr(m, str.c_str());
  po_message_set_extracted_comments(m, note.c_str());
  po_message_add_filepos(m, file.c_str(), static_cast<size_t>(line));
  po_message_insert(impl_->at, m);
}

bool PoWriter::Write(std::string& text, std::string& problem) {
  MemoryFile memory;
  if (!memory.ok()) {
    problem = std::string("cannot make a file in memory: ") + std::strerror(errno);
    return false;
  }
  std::vector<PoProblem> problems;
  g_problems = &problems;
  std::jmp_buf jump;
  const bool written = WriteGuarded(impl_->file, memory.Name().c_str(), jump);
  g_problems = nullptr;
  if (!written || !problems.empty() || !memory.Take(text)) {
    problem = problems.empty() ? "gettext could not write the PO file" : problems[0].message;
    return false;
  }
  return true;
}

// --- Reading ---------------------------------------------------------------------------------

struct PoReader::Impl {
  po_file_t file = nullptr;
  // The msgstr of every entry in the order the library hands the entries out, domain by
  // domain: the library keeps no line of an entry, and messages name lines.
  struct Place {
    std::size_t offset;
    int line;
  };
  std::vector<std::pair<std::string, std::vector<Place>>> places;
  ~Impl() {
    if (file != nullptr) po_file_free(file);
  }
  void FindPlaces(std::string_view text);
};

void PoReader::Impl::FindPlaces(std::string_view text) {
  places.clear();
  places.push_back({"messages", {}});
  std::size_t domain = 0;
  int line = 1;
  for (std::size_t at = 0; at < text.size(); ++line) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view l = text.substr(at, end - at);
    const std::size_t start = at + std::min(l.find_first_not_of(" \t"), l.size());
    l.remove_prefix(start - at);
    if (l.starts_with("msgstr ") || l.starts_with("msgstr\"") || l.starts_with("msgstr[0]")) {
      places[domain].second.push_back({start, line});
    } else if (l.starts_with("domain ")) {
      std::string_view name = l.substr(7);
      name.remove_prefix(std::min(name.find('"'), name.size()));
      name = name.substr(name.empty() ? 0 : 1);
      name = name.substr(0, name.find('"'));
      domain = 0;
      while (domain < places.size() && places[domain].first != name) ++domain;
      if (domain == places.size()) places.push_back({std::string(name), {}});
    }
    at = end + 1;
  }
}

PoReader::PoReader() : impl_(std::make_unique<Impl>()) {}
PoReader::~PoReader() = default;

bool PoReader::Read(std::string_view text, std::vector<PoProblem>& problems) {
  MemoryFile memory;
  if (!memory.ok() || !memory.Put(text)) {
    problems.push_back({0, std::string("cannot make a file in memory: ") + std::strerror(errno)});
    return false;
  }
  const std::size_t before = problems.size();
  error_message_count = 0;
  g_problems = &problems;
  std::jmp_buf jump;
  po_file_t file = ReadGuarded(memory.Name().c_str(), jump);
  g_problems = nullptr;
  error_message_count = 0;
  if (file == nullptr || problems.size() > before) {
    if (file != nullptr) po_file_free(file);
    // The library's count of errors says nothing the errors listed do not say.
    if (problems.size() > before + 1 && problems.back().line == 0) problems.pop_back();
    if (problems.size() == before) problems.push_back({0, "gettext cannot read it"});
    return false;
  }
  impl_->file = file;
  impl_->FindPlaces(text);
  for (const char* const* d = po_file_domains(file); *d != nullptr; ++d) {
    const char* header = po_file_domain_header(file, *d);
    if (header == nullptr) continue;
    if (const std::string charset = Charset(header); !IsUtf8Name(charset)) {
      int line = 0;
      for (const auto& [name, list] : impl_->places) {
        if (name == *d && !list.empty()) line = list.front().line;
      }
      problems.push_back({line, "the PO file is in " + charset +
                                    ", not UTF-8 (msgconv --to-code=UTF-8 converts it)"});
      return false;
    }
  }
  return true;
}

void PoReader::ForEach(const std::function<void(const PoEntry&)>& visit) const {
  if (impl_->file == nullptr) return;
  for (const char* const* d = po_file_domains(impl_->file); *d != nullptr; ++d) {
    const std::vector<Impl::Place>* list = nullptr;
    for (const auto& [name, l] : impl_->places) {
      if (name == *d) list = &l;
    }
    po_message_iterator_t it = po_message_iterator(impl_->file, *d);
    std::size_t index = 0;
    for (po_message_t m; (m = po_next_message(it)) != nullptr;) {
      if (po_message_is_obsolete(m)) continue;
      const Impl::Place place =
          list != nullptr && index < list->size() ? (*list)[index] : Impl::Place{0, 0};
      ++index;
      const char* id = po_message_msgid(m);
      if (*id == '\0' && po_message_msgctxt(m) == nullptr) continue;  // the header
      const char* str = po_message_msgstr(m);
      visit({po_message_msgctxt(m), id, str == nullptr ? "" : str, po_message_is_fuzzy(m) != 0,
             place.offset, place.line});
    }
    po_message_iterator_free(it);
  }
}

namespace {

// Calls `visit` with each line of the msgstr at `strOffset` (numbered from `strLine`), from the
// msgstr line through its last continuation line, until `visit` returns true; returns the number
// of that line, or 0.
template <class Visit>
int FirstMsgstrLine(std::string_view text, std::size_t strOffset, int strLine, Visit visit) {
  int line = strLine;
  for (std::size_t at = strOffset; at < text.size(); ++line) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view l = text.substr(at, end - at);
    if (line > strLine && l.find_first_not_of(" \t") != l.find('"')) break;  // the msgstr ended
    if (visit(l)) return line;
    at = end + 1;
  }
  return 0;
}

int DigitValue(char ch, int base) {
  const int v = ch >= '0' && ch <= '9'   ? ch - '0'
                : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                         : 99;
  return v < base ? v : -1;
}

}  // namespace

int LineHolding(std::string_view text, std::size_t strOffset, int strLine, std::string_view literal,
                char escape) {
  const int line = FirstMsgstrLine(text, strOffset, strLine, [&](std::string_view l) {
    for (std::size_t i = l.find('"'); i < l.size(); ++i) {
      if (l[i] == '\\') {
        if (escape != '\0' && i + 1 < l.size() && l[i + 1] == escape) return true;
        ++i;
      } else if (escape == '\0' && l.substr(i).starts_with(literal)) {
        return true;
      }
    }
    return false;
  });
  return line != 0 ? line : strLine;
}

int LineOfEscapedNul(std::string_view text, std::size_t strOffset, int strLine) {
  return FirstMsgstrLine(text, strOffset, strLine, [](std::string_view l) {
    for (std::size_t i = l.find('"'); i < l.size(); ++i) {
      if (l[i] != '\\' || i + 1 >= l.size()) continue;
      // As gettext reads them: up to three octal digits, or "x" and every hex digit after it,
      // the value kept to its low byte.
      unsigned value = 1;
      std::size_t j = i + 1;
      if (DigitValue(l[j], 8) >= 0) {
        value = 0;
        for (int n = 0; n < 3 && j < l.size() && DigitValue(l[j], 8) >= 0; ++n, ++j)
          value = value * 8 + unsigned(DigitValue(l[j], 8));
      } else if (l[j] == 'x' && j + 1 < l.size() && DigitValue(l[j + 1], 16) >= 0) {
        value = 0;
        for (++j; j < l.size() && DigitValue(l[j], 16) >= 0; ++j)
          value = (value * 16 + unsigned(DigitValue(l[j], 16))) & 0xFF;
      } else {
        j = i + 2;
      }
      if ((value & 0xFF) == 0) return true;
      i = j - 1;
    }
    return false;
  });
}

}  // namespace dlg::translate

// dlgcheck's files on Windows, through Win32's wide-character calls: the C runtime's narrow ones
// take names in the ANSI code page and lose what it cannot spell.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dlgcheck/file_access.h"
#include "dlgcheck/wide_text.h"
#include "fileio/file_result.h"
#include "fileio/paths.h"

namespace dlg::dlgcheck {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(const std::string& path) {
  const std::u16string name = Utf16FromUtf8(path);
  return std::wstring(name.begin(), name.end());
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  bool Close() {
    const bool closed = !ok() || CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

bool IsFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The Linux build's words for the failures both systems have, Windows' own for the rest.
std::string Reason(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return "No such file or directory";
    case ERROR_ACCESS_DENIED:
      return "Permission denied";
    case ERROR_WRITE_PROTECT:
      return "Read-only file system";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "No space left on device";
    case ERROR_FILENAME_EXCED_RANGE:
      return "File name too long";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return "Cannot allocate memory";
    case ERROR_DIRECTORY:
      return "Not a directory";
    default:
      break;
  }
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string out =
      n > 0 ? Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), n)) : "";
  LocalFree(text);
  // Windows ends its messages with ".\r\n"; a message here is a clause after "cannot read X: ".
  while (!out.empty() &&
         (out.back() == '\n' || out.back() == '\r' || out.back() == ' ' || out.back() == '.')) {
    out.pop_back();
  }
  return out.empty() ? "Windows error " + std::to_string(code) : out;
}

std::string Failed() { return Reason(GetLastError()); }

// Windows opens a device for these names in any folder and with any extension ("CON.dlg" is the
// console), and then answers with errors that name no cause. The reason, or "" for a file name.
std::string ReservedName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\:");
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  std::string stem = path.substr(start, path.find('.', start) - start);
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  std::string upper = stem;
  for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  const bool numbered = upper.size() == 4 &&
                        (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
                        upper[3] <= '9';
  if (!numbered && upper != "CON" && upper != "PRN" && upper != "AUX" && upper != "NUL") return {};
  return "the name " + stem + " is reserved by Windows for a device";
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 30));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr)) return false;
    if (wrote == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    done += wrote;
  }
  return true;
}

// The folder's names joined the way the user wrote the folder: by "\" unless it ends in either
// separator already.
std::string Joined(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

// As the Linux build walks: files named *.dlg in any case, folders entered unless hidden by a
// leading "." or reached through a link or junction (a reparse point).
void Walk(const std::string& folder, std::vector<Input>& out) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = Wide(Joined(folder, "*"));
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    out.push_back({folder, Failed()});
    return;
  }
  do {
    const std::string name =
        Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(found.cFileName)));
    if (name == "." || name == "..") continue;
    const DWORD a = found.dwFileAttributes;
    if ((a & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      if (name[0] != '.' && (a & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        Walk(Joined(folder, name), out);
    } else if (IsDialogueName(name)) {
      out.push_back({Joined(folder, name), ""});
    }
  } while (FindNextFileW(search, &found));
  const DWORD code = GetLastError();
  FindClose(search);
  if (code != ERROR_NO_MORE_FILES) out.push_back({folder, Reason(code)});
}

}  // namespace

const char kSeparators[] = "\\/";

std::vector<Input> DialoguesAt(const std::string& path) {
  if (!IsFolder(Wide(path))) return {{path, ""}};
  std::vector<Input> inputs;
  Walk(path, inputs);
  std::sort(inputs.begin(), inputs.end(),
            [](const Input& a, const Input& b) { return PathBefore(a.path, b.path, kSeparators); });
  return inputs;
}

std::string ReadWhole(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (std::string reserved = ReservedName(path); !reserved.empty()) return reserved;
  const std::wstring name = Wide(path);
  // Shared every way, as on Linux: a check must not stop the editor from saving meanwhile.
  Handle file(CreateFileW(name.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.ok()) {
    const DWORD code = GetLastError();
    // Windows will not open a folder as a file at all; Linux opens it and refuses it.
    return code == ERROR_ACCESS_DENIED && IsFolder(name) ? kNotRegular : Reason(code);
  }
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return kNotRegular;  // a console, pipe or NUL
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  char block[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), block, sizeof block, &got, nullptr)) {
      bytes.clear();
      return Failed();
    }
    if (got == 0) return {};
    bytes.append(block, got);
  }
}

std::string ReplaceWhole(const std::string& path, const std::string& bytes) {
  if (std::string reserved = ReservedName(path); !reserved.empty()) return reserved;
  const std::wstring target = Wide(path);
  if (IsFolder(target)) return kNotRegular;  // as the Linux build refuses it
  // Beside the target, so that the rename stays on its volume; the process id keeps two runs
  // apart, the count a name that a run killed before it could clean up left behind.
  std::wstring temp;
  Handle file(INVALID_HANDLE_VALUE);
  for (int n = 0; !file.ok(); ++n) {
    temp = target + L".dlgcheck-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(n) + L".tmp";
    file.Reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok() && (GetLastError() != ERROR_FILE_EXISTS || n == 99)) return Failed();
  }
  const bool ok =
      WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) && file.Close() &&
      MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (ok) return {};
  const DWORD code = GetLastError();
  file.Close();
  DeleteFileW(temp.c_str());
  return Reason(code);
}

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION info[2]{};
  const std::string* names[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    // No access asked, only the file's identity; folders open too.
    Handle h(CreateFileW(Wide(*names[i]).c_str(), 0,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.ok() || !GetFileInformationByHandle(h.get(), &info[i])) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}

}  // namespace dlg::dlgcheck

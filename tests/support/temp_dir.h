#pragma once
// A fresh folder per test, removed afterwards, with helpers to put and read exact bytes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace dlg::test {

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("dlgtest-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // `text` with this folder's path and the separator after it written "@", as a program's
  // output names its files.
  std::string Local(std::string text) const {
    for (std::size_t at; (at = text.find(Path() + "/")) != std::string::npos;)
      text.replace(at, Path().size() + 1, "@");
    return text;
  }

  std::string Put(const std::string& name, const std::string& bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << bytes;
    return File(name);
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace dlg::test

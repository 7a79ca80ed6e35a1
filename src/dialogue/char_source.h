#pragma once
// One open file handed out a byte at a time. The whole file is read into memory when it is
// opened, so "read one character" is a buffer access and never a system call. The bytes are the
// source's own, or borrowed from a buffer that outlives it (a command's reused read buffer).

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace dlg {

// A character as the readers hold it: a byte value 0..255, or kNoChar for "" (nothing read yet,
// or a read past the end of the file).
using Char = int;
inline constexpr Char kNoChar = -1;
inline constexpr Char kCR = 13;
inline constexpr Char kLF = 10;
inline constexpr Char kClose = '}';

class CharSource {
 public:
  CharSource() = default;
  explicit CharSource(std::string bytes) : owned_(std::move(bytes)), bytes_(owned_) {}
  explicit CharSource(std::string_view borrowed) : bytes_(borrowed) {}
  CharSource(CharSource&& other) noexcept { *this = std::move(other); }
  CharSource& operator=(CharSource&& other) noexcept {
    const bool own = other.bytes_.data() == other.owned_.data();
    owned_ = std::move(other.owned_);
    bytes_ = own ? std::string_view(owned_) : other.bytes_;
    pos_ = other.pos_;
    return *this;
  }

  // The end-of-file test: true when no character remains to be read.
  bool AtEnd() const { return pos_ >= bytes_.size(); }

  // Reads the next byte. At the end of the file nothing is read and kNoChar is returned, so a
  // reader that makes no end test stops instead of looping.
  Char Read() {
    if (pos_ >= bytes_.size()) return kNoChar;
    return static_cast<unsigned char>(bytes_[pos_++]);
  }

  // Consumes the bytes up to and including the next `stop`, handing out those before it as a
  // view into the source, and returns `stop`. When the file ends first, everything left is
  // handed out and kNoChar returned. The same as reading one character at a time, only faster.
  Char ReadThrough(char stop, std::string_view& text) {
    const char* begin = bytes_.data() + pos_;
    const std::size_t left = bytes_.size() - pos_;
    const void* hit = left ? std::memchr(begin, stop, left) : nullptr;
    if (hit == nullptr) {
      text = {begin, left};
      pos_ = bytes_.size();
      return kNoChar;
    }
    const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(hit) - begin);
    text = {begin, n};
    pos_ += n + 1;
    return static_cast<unsigned char>(stop);
  }

  // As ReadThrough, appending the bytes before `stop` to `dest`.
  Char ReadThrough(char stop, std::string& dest) {
    std::string_view text;
    const Char c = ReadThrough(stop, text);
    dest.append(text);
    return c;
  }

  // As ReadThrough, keeping nothing.
  Char SkipThrough(char stop) {
    std::string_view text;
    return ReadThrough(stop, text);
  }

  // Back to the first byte, as a file opened anew: a second reader of the same bytes needs no
  // copy of them.
  void Rewind() { pos_ = 0; }

  // Moves on to `pos` (at most the end): for a reader that has walked the bytes itself.
  void SkipTo(std::size_t pos) { pos_ = pos < bytes_.size() ? pos : bytes_.size(); }

  std::size_t Position() const { return pos_; }
  std::string_view Bytes() const { return bytes_; }

 private:
  std::string owned_;
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Appends a read character to a text; kNoChar appends nothing.
inline void AppendChar(std::string& text, Char c) {
  if (c != kNoChar) text.push_back(static_cast<char>(c));
}

}  // namespace dlg

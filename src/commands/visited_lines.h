#pragma once
// The lines gone to, in order, for Back and Forward, as a browser keeps the pages of a tab.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dlg {

class VisitedLines {
 public:
  // A line gone to: what lay ahead of the current one is dropped, and the same line twice in a
  // row is one visit.
  void Visit(std::string_view number) {
    if (!lines_.empty()) lines_.resize(at_ + 1);
    if (!lines_.empty() && lines_.back() == number) return;
    lines_.emplace_back(number);
    // A long session keeps the recent past; the oldest visits go first.
    if (lines_.size() > kMostKept) lines_.erase(lines_.begin());
    at_ = lines_.size() - 1;
  }
  bool CanBack() const { return !lines_.empty() && at_ > 0; }
  bool CanForward() const { return at_ + 1 < lines_.size(); }
  // The line one step back or ahead, which becomes the current one.
  const std::string& Back() { return lines_[--at_]; }
  const std::string& Forward() { return lines_[++at_]; }
  // A renumbered line is visited under its new number.
  void Rename(std::string_view from, std::string_view to) {
    for (std::string& line : lines_) {
      if (line == from) line = to;
    }
  }
  void Clear() {
    lines_.clear();
    at_ = 0;
  }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  static constexpr std::size_t kMostKept = 1000;
  std::vector<std::string> lines_;
  std::size_t at_ = 0;
};

}  // namespace dlg

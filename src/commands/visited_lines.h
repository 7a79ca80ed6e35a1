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
    away_ = false;
  }
  // `shown` is the line the view shows. A view that left the current visit for a line that is
  // no visit (a new line saved, a reply to a line that does not exist) goes back to that visit
  // first.
  bool CanBack(std::string_view shown) const { return !lines_.empty() && (at_ > 0 || Away(shown)); }
  bool CanForward() const { return at_ + 1 < lines_.size(); }
  // The line one step back or ahead, which becomes the current one.
  const std::string& Back(std::string_view shown) {
    const bool away = Away(shown);
    away_ = false;
    return away ? lines_[at_] : lines_[--at_];
  }
  const std::string& Forward() {
    away_ = false;
    return lines_[++at_];
  }
  // The view was cleared for another line; a visit, Back or Forward that follows takes it back.
  void Leave() { away_ = true; }
  // The view stands for the current visit again, whether or not its line could be shown.
  void Arrived() { away_ = false; }
  // A renumbered line is visited under its new number.
  void Rename(std::string_view from, std::string_view to) {
    for (std::string& line : lines_) {
      if (line == from) line = to;
    }
  }
  void Clear() {
    lines_.clear();
    at_ = 0;
    away_ = false;
  }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  static constexpr std::size_t kMostKept = 1000;
  std::vector<std::string> lines_;
  std::size_t at_ = 0;
  bool away_ = false;

  bool Away(std::string_view shown) const { return away_ && lines_[at_] != shown; }
};

}  // namespace dlg

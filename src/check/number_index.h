#pragma once
// Answers the editor's lookup question for every number at once: which record does a scan from
// the top stop at? The scan stops at the first record whose number begins with the wanted text,
// so the index keeps, for every prefix of every number, the first record that has it. Building
// and asking both cost the length of the text, whatever the numbers hold.

#include <cstddef>
#include <string_view>
#include <vector>

namespace dlg::check {

class NumberIndex {
 public:
  // Room for numbers of `bytes` bytes in all, so that building the index never moves it.
  void Reserve(std::size_t bytes) { nodes_.reserve(bytes + 1); }
  // Records must be added in file order. Returns the first record whose number begins with
  // `number`, which is `record` itself unless an earlier one does.
  int Add(std::string_view number, int record);
  // The first record whose number begins with `wanted`, or -1.
  int FirstBeginningWith(std::string_view wanted) const;
  // The first record whose number is `wanted`, or -1.
  int FirstExactly(std::string_view wanted) const;

 private:
  struct Node {
    int first = -1;  // the first record whose number passes through here
    int exact = -1;  // the first record whose number ends here
    int child = -1;  // first child, then siblings
    int sibling = -1;
    unsigned char byte = 0;
  };
  int Child(int node, unsigned char byte) const;
  int Find(std::string_view wanted) const;
  std::vector<Node> nodes_{Node{}};
};

}  // namespace dlg::check

#pragma once
// Answers the editor's lookup question for every number at once: which record does a scan from
// the top stop at? The scan stops at the first record whose number begins with the wanted text,
// so the index keeps, for every prefix of every number, the first record that has it. Building
// and asking both cost the length of the text, whatever the numbers hold.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace dlg::check {

class NumberIndex {
 public:
  // `bytes`: the text that the numbers added and marked are views into, which must outlive the
  // index. Within it, numbers are compared eight bytes at a time.
  explicit NumberIndex(std::string_view bytes) : bytes_(bytes) {}

  // Room for about `nodes` prefixes, so that building the index seldom moves it.
  void Reserve(std::size_t nodes) { nodes_.reserve(nodes + 1); }

  // Records must be added in file order. Returns the first record whose number begins with
  // `number`, which is `record` itself unless an earlier one does.
  int Add(std::string_view number, int record);

  // The place of `wanted` in the index, made now if no number has reached it yet, to be asked
  // with At once every number is in. A reply's jump is marked while its bytes are at hand.
  int Mark(std::string_view wanted);

  struct Found {
    int first = -1;  // the first record whose number begins with the wanted text, or -1
    int exact = -1;  // the first record whose number is the wanted text, or -1
  };
  Found At(int place) const { return {nodes_[place].first, nodes_[place].exact}; }

 private:
  // Numbers are nearly always digits: a child under a digit is found by one index into the
  // node, under any other byte through a short list.
  struct Node {
    int first = -1;  // the first record whose number passes through here (-1: only marks do)
    int exact = -1;  // the first record whose number ends here
    std::array<int, 10> digits{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int others = -1;  // its first edge in others_
  };
  struct Edge {
    int node;
    int next;  // the next edge of the same parent, or -1
    unsigned char byte;
  };
  // The nodes of the last walk from the root, and the text it spelled: numbers mostly come in
  // order and share their first digits with the one before, so a walk starts where the two part.
  struct Walk {
    std::string_view text;
    std::vector<int> nodes{0};  // nodes[k]: the node after the first k bytes of `text`
  };

  // Walks to `text`'s node, making the nodes it lacks; `record` (or -1 for a mark) becomes the
  // first of every node on the way that no record has passed through yet.
  int WalkTo(Walk& walk, std::string_view text, int record);
  std::size_t Shared(const Walk& walk, std::string_view next) const;
  int OtherChild(int node, unsigned char byte) const;
  int NewChild(int node, unsigned char byte, int record);

  std::string_view bytes_;
  std::vector<Node> nodes_{Node{}};
  std::vector<Edge> others_;
  Walk added_, marked_;
};

}  // namespace dlg::check

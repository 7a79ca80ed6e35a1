#include "dialogue/number_index.h"

#include <algorithm>

namespace dlg {

namespace {

// Places in the tree are told from values by their sign: node n is place -2 - n, and -1 is "".
int TreePlace(int node) { return -2 - node; }

}  // namespace

NumberIndex::NumberIndex(std::string_view text)
    : end_(text.data() + text.size()),
      // Below a billion: nine digits, and no value a 64-bit sum cannot hold.
      mostValue_(
          std::min<std::uint64_t>(std::max<std::uint64_t>(text.size() / 8, 4096), 999999999)) {
  // Room for as many values as the file holds records of a plain size, so that a file numbered
  // from 1 up never grows the table, and value 0 is there for Add to look at.
  byValue_.resize(std::clamp<std::uint64_t>(text.size() / 64, 1, mostValue_ + 1));
}

inline std::size_t NumberIndex::PlainPrefix(std::string_view text, std::uint64_t& value) const {
  value = 0;
  std::size_t n = 0;
  // A leading zero would make "01" and "1" one value: such a number is no plain number.
  if (text.empty() || text[0] == '0') return 0;
  for (; n < text.size(); ++n) {
    const unsigned digit = static_cast<unsigned char>(text[n]) - unsigned{'0'};
    const std::uint64_t next = value * 10 + digit;
    if (digit >= 10 || next > mostValue_) break;
    value = next;
  }
  return n;
}

void NumberIndex::Grow(std::uint64_t value) {
  const std::uint64_t grown = std::max<std::uint64_t>(value + 1, 2 * byValue_.size());
  byValue_.resize(std::min(grown, mostValue_ + 1));
}

inline NumberIndex::Entry& NumberIndex::ByValue(std::uint64_t value) {
  if (value >= byValue_.size()) Grow(value);
  return byValue_[value];
}

void NumberIndex::PassThrough(std::uint64_t value, int record) {
  // A prefix that has a first has had all of its own prefixes passed through already.
  for (; value != 0; value /= 10) {
    Entry& e = ByValue(value);
    if (e.first != -1) return;
    e.first = record;
  }
}

int NumberIndex::Child(int node, unsigned char byte, int record) {
  const unsigned digit = byte - unsigned{'0'};
  int child = -1;
  if (digit < 10) {
    child = nodes_[node].digits[digit];
  } else {
    for (int e = nodes_[node].others; e != -1 && child == -1; e = others_[e].next) {
      if (others_[e].byte == byte) child = others_[e].node;
    }
  }
  if (child != -1) {
    if (nodes_[child].entry.first == -1) nodes_[child].entry.first = record;
    return child;
  }
  child = static_cast<int>(nodes_.size());
  nodes_.emplace_back().entry.first = record;
  if (digit < 10) {
    nodes_[node].digits[digit] = child;
  } else {
    others_.push_back(Edge{child, nodes_[node].others, byte});
    nodes_[node].others = static_cast<int>(others_.size()) - 1;
  }
  return child;
}

int NumberIndex::TreeNode(std::string_view text, std::size_t plain, std::uint64_t value,
                          int record) {
  // Node 0 stands for "" and for every plain prefix that something hangs below; its entry is
  // unused, those prefixes' entries being kept by value.
  if (nodes_.empty()) nodes_.emplace_back();
  int node = 0;
  if (plain > 0) {
    const auto [at, made] = below_.try_emplace(value, static_cast<int>(nodes_.size()));
    if (made) nodes_.emplace_back();
    node = at->second;
  }
  for (std::size_t k = plain; k < text.size(); ++k) {
    node = Child(node, static_cast<unsigned char>(text[k]), record);
  }
  return node;
}

int NumberIndex::AddOther(std::string_view number, int record) {
  std::uint64_t value;
  const std::size_t plain = PlainPrefix(number, value);
  Entry* e = &empty_;
  if (plain == number.size() && plain > 0) {  // beyond the table's room so far
    e = &ByValue(value);
    if (e->first == -1) {
      e->first = record;
      PassThrough(value / 10, record);
    }
  } else if (!number.empty()) {
    PassThrough(value, record);
    e = &nodes_[TreeNode(number, plain, value, record)].entry;
  }
  if (e->exact == -1) e->exact = record;
  return e->first;
}

int NumberIndex::MarkOther(std::string_view wanted) {
  std::uint64_t value;
  const std::size_t plain = PlainPrefix(wanted, value);
  if (plain == wanted.size() && plain > 0) {
    ByValue(value);
    return static_cast<int>(value);
  }
  if (wanted.empty()) return -1;  // "" is no jump: such a record is an NPC line
  return TreePlace(TreeNode(wanted, plain, value, -1));
}

const NumberIndex::Entry& NumberIndex::OtherEntry(int place) const {
  return place == -1 ? empty_ : nodes_[static_cast<std::size_t>(-2 - place)].entry;
}

}  // namespace dlg

#include "check/number_index.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace dlg::check {

inline std::size_t NumberIndex::Shared(const Walk& walk, std::string_view next) const {
  const std::size_t most = std::min(next.size(), walk.text.size());
  const char* a = next.data();
  const char* b = walk.text.data();
  std::size_t k = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // A number is mostly shorter than eight bytes: one compare of two words, and no loop to
    // leave at a byte the processor cannot foresee.
    const char* end = bytes_.data() + bytes_.size();
    if (most > 0 && end - a >= 8 && end - b >= 8) {
      std::uint64_t x, y;
      std::memcpy(&x, a, 8);
      std::memcpy(&y, b, 8);
      const std::uint64_t diff = x ^ y;
      if (diff != 0) return std::min<std::size_t>(std::countr_zero(diff) / 8, most);
      k = 8;
    }
  }
  while (k < most && a[k] == b[k]) ++k;
  return std::min(k, most);
}

// The child of `node` under `byte`, made now: the walk found none.
int NumberIndex::NewChild(int node, unsigned char byte, int record) {
  const int child = static_cast<int>(nodes_.size());
  nodes_.emplace_back().first = record;
  const unsigned digit = byte - unsigned{'0'};
  if (digit < 10) {
    nodes_[node].digits[digit] = child;
  } else {
    others_.push_back(Edge{child, nodes_[node].others, byte});
    nodes_[node].others = static_cast<int>(others_.size()) - 1;
  }
  return child;
}

int NumberIndex::OtherChild(int node, unsigned char byte) const {
  for (int e = nodes_[node].others; e != -1; e = others_[e].next) {
    if (others_[e].byte == byte) return others_[e].node;
  }
  return -1;
}

int NumberIndex::WalkTo(Walk& walk, std::string_view text, int record) {
  std::size_t k = Shared(walk, text);
  if (walk.nodes.size() <= text.size()) walk.nodes.resize(text.size() + 1);
  int* nodes = walk.nodes.data();
  int node = nodes[k];
  for (; k < text.size(); ++k) {
    const auto byte = static_cast<unsigned char>(text[k]);
    const unsigned digit = byte - unsigned{'0'};
    int child = digit < 10 ? nodes_[node].digits[digit] : OtherChild(node, byte);
    if (child == -1) {
      child = NewChild(node, byte, record);
    } else if (nodes_[child].first == -1) {
      nodes_[child].first = record;  // made by a mark
    }
    node = child;
    nodes[k + 1] = node;
  }
  walk.text = text;
  return node;
}

int NumberIndex::Add(std::string_view number, int record) {
  if (nodes_[0].first == -1) nodes_[0].first = record;  // every number begins with ""
  const int node = WalkTo(added_, number, record);
  if (nodes_[node].exact == -1) nodes_[node].exact = record;
  return nodes_[node].first;
}

int NumberIndex::Mark(std::string_view wanted) { return WalkTo(marked_, wanted, -1); }

}  // namespace dlg::check

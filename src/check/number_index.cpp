#include "check/number_index.h"

namespace dlg::check {

int NumberIndex::Child(int node, unsigned char byte) const {
  for (int c = nodes_[node].child; c != -1; c = nodes_[c].sibling) {
    if (nodes_[c].byte == byte) return c;
  }
  return -1;
}

int NumberIndex::Add(std::string_view number, int record) {
  if (nodes_[0].first == -1) nodes_[0].first = record;  // every number begins with ""
  int node = 0;
  for (char ch : number) {
    const auto byte = static_cast<unsigned char>(ch);
    int next = Child(node, byte);
    if (next == -1) {
      next = static_cast<int>(nodes_.size());
      nodes_.push_back(Node{record, -1, -1, nodes_[node].child, byte});
      nodes_[node].child = next;
    }
    node = next;
  }
  if (nodes_[node].exact == -1) nodes_[node].exact = record;
  return nodes_[node].first;
}

int NumberIndex::Find(std::string_view wanted) const {
  int node = 0;
  for (char ch : wanted) {
    node = Child(node, static_cast<unsigned char>(ch));
    if (node == -1) return -1;
  }
  return node;
}

int NumberIndex::FirstBeginningWith(std::string_view wanted) const {
  const int node = Find(wanted);
  return node == -1 ? -1 : nodes_[node].first;
}

int NumberIndex::FirstExactly(std::string_view wanted) const {
  const int node = Find(wanted);
  return node == -1 ? -1 : nodes_[node].exact;
}

}  // namespace dlg::check

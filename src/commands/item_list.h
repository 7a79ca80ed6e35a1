#pragma once
// The items of a list box, end to end in one buffer beside the offset where each one ends. The
// response lists of an NPC line with a hundred thousand replies, and the list of a million used
// numbers, are emptied and filled again at every lookup or load: appending to one buffer whose
// room is kept costs a copy of the bytes, where a string per item cost an allocation, a move at
// every doubling of the list, and some 30 bytes more per item.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "fileio/huge_array.h"

namespace dlg {

class ItemList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    const_iterator(const ItemList* list, std::size_t index) : list_(list), index_(index) {}
    std::string_view operator*() const { return (*list_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++index_;
      return before;
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.index_ == b.index_;
    }

   private:
    const ItemList* list_ = nullptr;
    std::size_t index_ = 0;
  };

  ItemList() = default;
  ItemList(std::initializer_list<std::string_view> items);
  ItemList(const ItemList&) = default;
  ItemList& operator=(const ItemList&) = default;
  // The list moved from is left empty, with a stamp of its own.
  ItemList(ItemList&& other) noexcept;
  ItemList& operator=(ItemList&& other) noexcept;

  std::size_t size() const noexcept { return ends_.size(); }
  bool empty() const noexcept { return ends_.empty(); }
  std::string_view operator[](std::size_t i) const noexcept {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return {bytes_.data() + begin, ends_[i] - begin};
  }
  std::string_view back() const noexcept { return (*this)[size() - 1]; }
  const_iterator begin() const noexcept { return {this, 0}; }
  const_iterator end() const noexcept { return {this, size()}; }

  void push_back(std::string_view item) {
    AppendBytes(item);
    ends_.push_back(bytes_.size());
  }
  // Lengthens the last item: a row put together from pieces needs no string of its own.
  void AppendToBack(std::string_view more) {
    AppendBytes(more);
    ends_.back() = bytes_.size();
  }
  void insert(std::size_t index, std::string_view item);
  // Room for `count` items in all, so that filling the list never moves the offsets.
  void reserve(std::size_t count);
  // Keeps the room, for the next filling.
  void clear() noexcept {
    bytes_.clear();
    ends_.clear();
    stamp_ = 0;
  }

  // A number that stays the same while the items do and is never given to other items: the
  // window tells whether a list changed without comparing a million items.
  std::uint64_t Stamp() const noexcept;

  friend bool operator==(const ItemList& a, const ItemList& b) noexcept {
    return a.ends_ == b.ends_ && a.bytes_ == b.bytes_;
  }

 private:
  void AppendBytes(std::string_view more) {
    bytes_.Append(more.data(), more.size());
    stamp_ = 0;
  }

  HugeArray<char> bytes_;
  HugeArray<std::size_t> ends_;
  mutable std::uint64_t stamp_ = 0;  // 0: none given since the last change
};

}  // namespace dlg

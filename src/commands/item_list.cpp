#include "commands/item_list.h"

#include <atomic>

namespace dlg {

ItemList::ItemList(std::initializer_list<std::string_view> items) {
  for (std::string_view item : items) push_back(item);
}

ItemList::ItemList(ItemList&& other) noexcept
    : bytes_(std::move(other.bytes_)), ends_(std::move(other.ends_)), stamp_(other.stamp_) {
  other.clear();
}

ItemList& ItemList::operator=(ItemList&& other) noexcept {
  if (this != &other) {
    bytes_ = std::move(other.bytes_);
    ends_ = std::move(other.ends_);
    stamp_ = other.stamp_;
    other.clear();
  }
  return *this;
}

void ItemList::insert(std::size_t index, std::string_view item) {
  const std::size_t at = index == 0 ? 0 : ends_[index - 1];
  bytes_.Insert(at, item.data(), item.size());
  const std::size_t end = at + item.size();
  ends_.Insert(index, &end, 1);
  for (std::size_t i = index + 1; i < ends_.size(); ++i) ends_[i] += item.size();
  stamp_ = 0;
}

void ItemList::reserve(std::size_t count) { ends_.reserve(count); }

std::uint64_t ItemList::Stamp() const noexcept {
  static std::atomic<std::uint64_t> given{0};
  if (stamp_ == 0) stamp_ = given.fetch_add(1, std::memory_order_relaxed) + 1;
  return stamp_;
}

}  // namespace dlg

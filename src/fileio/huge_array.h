#pragma once
// A growing array of plain values whose large rooms are mappings of their own, aligned to and
// backed by huge pages. A list of a hundred thousand responses fills some 20 MB afresh: page by
// page that is thousands of first touches at several microseconds each (more than the reading of
// the responses costs), in huge pages about ten. malloc's own large blocks do not serve: they are
// not aligned, and once one is freed the next ones come from a heap that is given back and taken
// again page by page.

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace dlg {

inline constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Room for `bytes` bytes (rounded up where it is mapped), untouched, and its release.
void* TakeRoom(std::size_t& bytes);
void GiveBackRoom(void* room, std::size_t bytes) noexcept;

template <class T>
class HugeArray {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  HugeArray() = default;
  HugeArray(const HugeArray& other) { Append(other.data_, other.size_); }
  HugeArray& operator=(const HugeArray& other) {
    if (this != &other) {
      size_ = 0;
      Append(other.data_, other.size_);
    }
    return *this;
  }
  HugeArray(HugeArray&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  HugeArray& operator=(HugeArray&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
    other.size_ = 0;
    return *this;
  }
  ~HugeArray() { GiveBackRoom(data_, capacity_ * sizeof(T)); }

  T* data() noexcept { return data_; }
  const T* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  std::size_t capacity() const noexcept { return capacity_; }
  T& operator[](std::size_t i) noexcept { return data_[i]; }
  const T& operator[](std::size_t i) const noexcept { return data_[i]; }
  T& back() noexcept { return data_[size_ - 1]; }

  void clear() noexcept { size_ = 0; }  // the room is kept
  void reserve(std::size_t count) {
    if (count > capacity_) MoveTo(count);
  }
  // `values` may lie in this array.
  void Append(const T* values, std::size_t count) {
    if (capacity_ - size_ < count) {
      MoveTo(Grown(count), values, count);
      return;
    }
    if (count != 0) std::memcpy(data_ + size_, values, count * sizeof(T));
    size_ += count;
  }
  void push_back(T value) {
    if (capacity_ == size_) MoveTo(Grown(1));
    data_[size_++] = value;
  }
  // `values` must not lie in this array.
  void Insert(std::size_t at, const T* values, std::size_t count) {
    if (count == 0) return;
    if (capacity_ - size_ < count) MoveTo(Grown(count));
    std::memmove(data_ + at + count, data_ + at, (size_ - at) * sizeof(T));
    std::memcpy(data_ + at, values, count * sizeof(T));
    size_ += count;
  }

  friend bool operator==(const HugeArray& a, const HugeArray& b) noexcept {
    return a.size_ == b.size_ &&
           (a.size_ == 0 || std::memcmp(a.data_, b.data_, a.size_ * sizeof(T)) == 0);
  }

 private:
  // At least doubles, so that filling moves each value a bounded number of times.
  std::size_t Grown(std::size_t more) const {
    const std::size_t doubled = capacity_ * 2;
    return size_ + more > doubled ? size_ + more : doubled;
  }
  // Into a room for `count` values, with `extra` appended before the old room is given back.
  void MoveTo(std::size_t count, const T* extra = nullptr, std::size_t extraCount = 0) {
    std::size_t bytes = count * sizeof(T);
    T* room = static_cast<T*>(TakeRoom(bytes));
    if (size_ != 0) std::memcpy(room, data_, size_ * sizeof(T));
    if (extraCount != 0) std::memcpy(room + size_, extra, extraCount * sizeof(T));
    GiveBackRoom(data_, capacity_ * sizeof(T));
    data_ = room;
    size_ += extraCount;
    capacity_ = bytes / sizeof(T);
  }

  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace dlg

// Bump allocation for the records of the analyser's tables.
//
// The type records, symbol entries and their lists live as long as the
// tables: nothing is freed one by one during a run. An Arena hands out memory
// from large blocks and gives it all back at once when it is destroyed; the
// objects made with make() whose type has a non-trivial destructor are
// destroyed then too, in reverse order of creation.
//
// ArenaVector is the list type of the records (members, parameters,
// enumerators ...): a growable array whose storage comes from an arena, so
// that it needs no destructor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace zenta::analyser {

class Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  ~Arena();

  // Raw memory of `size` bytes aligned on `align` (a power of two, at most
  // alignof(std::max_align_t)).
  void* allocate(std::size_t size, std::size_t align) {
    std::uintptr_t p = (reinterpret_cast<std::uintptr_t>(next_) + (align - 1)) & ~std::uintptr_t(align - 1);
    if (next_ == nullptr || p + size > reinterpret_cast<std::uintptr_t>(end_)) return allocateSlow(size, align);
    next_ = reinterpret_cast<char*>(p + size);
    allocated_ += size;
    return reinterpret_cast<void*>(p);
  }

  // A new T built from the arguments; destroyed with the arena.
  template <class T, class... Args>
  T* make(Args&&... args) {
    T* object = new (allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    if constexpr (!std::is_trivially_destructible_v<T>)
      destructors_.push_back({object, [](void* o) { static_cast<T*>(o)->~T(); }});
    return object;
  }

  // An array of n elements copied from `data` (trivially copyable types).
  template <class T>
  T* copyArray(const T* data, std::size_t n) {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
    if (n == 0) return nullptr;
    T* out = static_cast<T*>(allocate(sizeof(T) * n, alignof(T)));
    std::memcpy(static_cast<void*>(out), data, sizeof(T) * n);
    return out;
  }

  // A copy of the text, kept for the arena's life.
  std::string_view copyText(std::string_view text) {
    if (text.empty()) return {};
    return {copyArray(text.data(), text.size()), text.size()};
  }

  // Bytes handed out so far (for figures).
  std::size_t bytesAllocated() const { return allocated_; }

 private:
  void* allocateSlow(std::size_t size, std::size_t align);

  struct Destructor {
    void* object;
    void (*destroy)(void*);
  };
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<Destructor> destructors_;
  char* next_ = nullptr;
  char* end_ = nullptr;
  std::size_t allocated_ = 0;
};

// A list whose elements live in an arena. Elements are trivially copyable
// and destructible (pointers, names, small records). Growing needs the arena:
// push_back(arena, value). A copy shares the elements already there but never
// sees, nor overwrites, what either side appends afterwards.
template <class T>
class ArenaVector {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  ArenaVector() = default;
  ArenaVector(const ArenaVector& other) : data_(other.data_), size_(other.size_), capacity_(other.size_) {}
  ArenaVector& operator=(const ArenaVector& other) {
    data_ = other.data_;
    size_ = other.size_;
    capacity_ = other.size_;
    return *this;
  }

  void push_back(Arena& arena, const T& value) {
    if (size_ == capacity_) {
      const std::uint32_t grown = capacity_ == 0 ? 4 : capacity_ * 2;
      T* bigger = static_cast<T*>(arena.allocate(sizeof(T) * grown, alignof(T)));
      if (size_ != 0) std::memcpy(static_cast<void*>(bigger), data_, sizeof(T) * size_);
      data_ = bigger;
      capacity_ = grown;
    }
    data_[size_++] = value;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  T& back() { return data_[size_ - 1]; }
  const T& back() const { return data_[size_ - 1]; }

 private:
  T* data_ = nullptr;
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = 0;
};

}  // namespace zenta::analyser

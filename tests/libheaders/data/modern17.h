// A C++17 header written as modern code, without the standard library, for
// the comparison of the declaration analysis with clang's view of it.
#pragma once

namespace inventory::detail {
inline constexpr int kMaxItems = 64;
constexpr double kRatio = 0.5;
}  // namespace inventory::detail

namespace inventory {

enum class Kind : unsigned char { Tool, Part = 4, Kit };
enum Shelf : int { Top, Middle, Bottom };
enum class Opaque : long;

template <class T>
struct Box {
  T value{};
  constexpr Box() noexcept = default;
  explicit Box(const T& v) : value{v} {}
  Box(Box&& other) noexcept : value(static_cast<T&&>(other.value)) {}
  Box& operator=(const Box&) = default;
  [[nodiscard]] const T& get() const& noexcept { return value; }
  T&& get() && noexcept { return static_cast<T&&>(value); }
  template <class... Args>
  void emplace(Args&&... args);
  auto size() const -> unsigned long { return sizeof(T); }
};

template <class T>
using BoxOf = Box<T>;

class Item {
 public:
  Item() = default;
  Item(const Item&) = delete;
  virtual ~Item() noexcept;
  [[nodiscard]] virtual int weight() const noexcept = 0;
  static constexpr int kLimit = detail::kMaxItems;
  Kind kind = Kind::Tool;
  int count{3};
  alignas(8) char code[8];

 protected:
  decltype(count) spare = 0;
};

class Hammer final : public Item {
 public:
  int weight() const noexcept override;
  void swing(int&& force, double angle = 1.5);
  friend bool operator==(const Hammer&, const Hammer&) noexcept;
};

template <class... Ts>
struct Pack {
  static constexpr unsigned long count = sizeof...(Ts);
};

template <class T, class U = int>
auto combine(T a, U b) -> decltype(a + b);

long operator""_kg(unsigned long long grams);

[[deprecated("use weigh")]] int oldWeight(const Item& item);
int weigh(const Item& item) noexcept;

static_assert(sizeof(Kind) == 1, "one byte");

inline int counter = 0;

}  // namespace inventory

template <class T> concept Small = sizeof(T) < 4 && requires(T t) { t + t; { t } -> Small; };
template <class T> requires Small<T> || (sizeof(T) == 8) struct Box { explicit(sizeof(T) > 1) Box(T);
  void put(T) requires Small<T>; void put(T) requires (!Small<T>); T v; auto operator<=>(const Box&) const = default; };
template <Small T, typename U = int> void use(T, U); void any(Small auto x, const std::integral auto& y);
char8_t c8; char16_t c16; char32_t c32; thread_local int tl; constinit int ci = 0;
consteval int sq(int x) { return x * x; } void* np = nullptr; bool ne = noexcept(sq(1));
namespace a::inline b { int in; }
template <class R> constexpr bool ::std::ranges::enable_borrowed_range<R> = true;
struct F : RA<F> { using RA<F>::operator(); template <class T> requires C<T> constexpr auto operator() [[nodiscard]] (T&& t) const { return t; } };

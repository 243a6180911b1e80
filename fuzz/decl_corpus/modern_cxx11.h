namespace a::b::c { struct P { int x = 1; int y{2}; static constexpr int k = 3; }; }
inline namespace v1 { inline int counter = 0; }
static_assert(sizeof(int) == 4, "int");
enum class Colour : unsigned char { Red, Green = 4, Blue };
enum struct E; enum class F : long;
void take(int&& v); auto f(int x) -> long; decltype(f(1)) g; auto h() -> int (*)(char);
using Int = int; template <class T> using Ptr = T*; Ptr<int> p;
template <class... Ts> struct Tuple {};
template <class T, class... Rest> struct Tuple<T, Rest...> : Tuple<Rest...> { T head; };
template <class... Ts> int sum(Ts&&... ts) { return (ts + ... + 0); }
template <class T> inline constexpr bool is_v = sizeof(T) > 1;
template <class T> inline constexpr bool is_v<T*> = true;
struct B { virtual ~B() = default; virtual void run() noexcept = 0; B(const B&) = delete; B() = default; };
struct D final : B { void run() noexcept override; int size() const noexcept(true) final; int& g() &; int&& g() &&; };
[[nodiscard]] int fa [[gnu::cold]] ([[maybe_unused]] int x) __attribute__((pure));
struct [[deprecated("no")]] alignas(16) S { [[no_unique_address]] int a; alignas(8) char b[8]; };
template <class T> struct W { W(T); }; W(const char*) -> W<long>; template <class T> W(T*) -> W<T>;
long operator""_km(unsigned long long);
auto twice = [](int x) { return x * 2; }; void call(int (*f)(int) = [](int v) { return v; });
template <class T> struct A { template <class U> struct R { typedef U type; }; };
template <template <class...> class C, class T> struct Use { typedef typename A<T>::template R<T>::type t; };
template <class T> struct V {}; V<V<int>> vv; V<V<V<char>>> vvv;
template <class T, bool = is_v<T>> struct Q; template <class T, typename enable_if<is_v<T>, int>::type = 0> void q(T);
template <class... B> struct M : B... { M(int a) : B{a}..., x_{a} { } int x_; };
__extension__ typedef __int128 i128; typedef unsigned __int128 u128;
template <class T, class U> constexpr bool same = __is_same(T, U);
template <class T> struct U2 { using type = __underlying_type(T); using typename T::value; };

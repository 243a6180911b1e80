// Compiled by g++ in the differential typing tests, not by the test
// programs: works out, from the properties of an expression's C++ type, the
// type class the analyser must give it, and prints one line
//   <index> TAB <class> TAB <word> TAB <size>
// (word "-" when the class has none). The size is what the class carries:
// the signed width in bits of an integer type (negative when signed), the
// signed width of int for any other type; "*" for bool, whose size nothing
// here can tell (below).
//
// Comparisons are ints for the analyser and bools in C++, while a bool
// object is a one-byte bool for both: bool is counted a signed integer of
// class 0 and its size is not compared. wchar_t is left out: it has the
// width of char there.
//
// With GXX_PROBE_MODERN defined, the classes are those the harness tests in
// the dialects of the standard: bool a boolean, the standard strings one
// string value, an enumeration with a fixed underlying type of that type's
// width and sign.
#pragma once

#include <cstdio>
#include <type_traits>
#ifdef GXX_PROBE_MODERN
#include <string>
#include <string_view>
#endif

namespace gxx_probe {

template <class U> constexpr bool charLike =
    std::is_same_v<U, char> || std::is_same_v<U, signed char> || std::is_same_v<U, unsigned char>;

// The result type of a function, whatever its parameters.
template <class R, class... A> R resultOf(R (*)(A...));
template <class R, class... A> R resultOf(R (*)(A..., ...));

// g++ keeps `__restrict` on a pointer type (glibc and libpng declare such
// pointers): it is a qualifier that the analysed targets do not have.
template <class T> struct unrestricted { using type = T; };
template <class T> struct unrestricted<T* __restrict> { using type = T*; };
template <class T> struct unrestricted<T* const __restrict> { using type = T*; };

template <class T> void show(int i) {
  using U = typename unrestricted<std::remove_cvref_t<T>>::type;
  int k = 8;
  const char* w = "-";
  int size = -8 * static_cast<int>(sizeof(int));
#ifdef GXX_PROBE_MODERN
  constexpr bool modern = true;
  if constexpr (std::is_same_v<U, bool>) {
    k = 1; w = "booleen"; size = -8;
  } else if constexpr (std::is_same_v<U, std::string> || std::is_same_v<U, std::string_view>) {
    k = 10; w = "chaine";
  } else if constexpr (std::is_enum_v<U>) {
    using B = std::underlying_type_t<U>;
    k = 0; w = std::is_signed_v<B> ? "entier" : "unsigned";
    size = 8 * static_cast<int>(sizeof(B)) * (std::is_signed_v<B> ? -1 : 1);
  } else
#else
  constexpr bool modern = false;
#endif
  if constexpr (std::is_void_v<U> || std::is_enum_v<U> || std::is_same_v<U, bool>) {
    k = 0; w = "entier";
  } else if constexpr (std::is_integral_v<U>) {
    size = 8 * static_cast<int>(sizeof(U)) * (std::is_signed_v<U> ? -1 : 1);
    if constexpr (!std::is_signed_v<U>) { k = 0; w = "unsigned"; }
    else if constexpr (charLike<U>) { k = 2; w = "caractere"; }
    else { k = 0; w = "entier"; }
  } else if constexpr (std::is_floating_point_v<U>) {
    k = 3;
    w = std::is_same_v<U, float> ? "float" : std::is_same_v<U, double> ? "double" : "longdouble";
  } else if constexpr (std::is_pointer_v<U>) {
    if constexpr (charLike<std::remove_cv_t<std::remove_pointer_t<U>>>) { k = 4; w = "chaine"; }
    else { k = 6; w = "pointeur"; }
  } else if constexpr (std::is_array_v<U>) {
    if constexpr (charLike<std::remove_cv_t<std::remove_extent_t<U>>>) { k = 4; w = "chaine"; }
    else { k = 6; w = "pointeur"; }
  } else if constexpr (std::is_function_v<U> || std::is_member_pointer_v<U>) {
    k = 6; w = "pointeur";
  }
  if constexpr (std::is_same_v<U, bool> && !modern) std::printf("%d\t%d\t%s\t*\n", i, k, w);
  else std::printf("%d\t%d\t%s\t%d\n", i, k, w, size);
}

// Whether the type T (the analyser's C type text) is the type of an
// expression of type E, top-level qualifiers and references aside; for a
// function, T is its result type. Prints `<index> TAB 1` or `0`.
template <class E, class T> void same(int i) {
  using U = typename unrestricted<std::remove_cvref_t<E>>::type;
  bool equal = false;
  if constexpr (std::is_same_v<U, bool>)  // a comparison is an int for the analyser
    equal = std::is_same_v<std::remove_cv_t<T>, bool> || std::is_same_v<std::remove_cv_t<T>, int>;
  else if constexpr (std::is_function_v<U>)
    equal = std::is_same_v<std::remove_cv_t<decltype(resultOf(static_cast<U*>(nullptr)))>, std::remove_cv_t<T>>;
  else
    equal = std::is_same_v<U, typename unrestricted<std::remove_cv_t<T>>::type>;
  std::printf("%d\t%d\n", i, equal ? 1 : 0);
}

}  // namespace gxx_probe

// One probe line for the expression E, numbered I.
#define GXX_PROBE(I, E) gxx_probe::show<decltype((E))>(I)
// One line telling whether T names the type of the expression E.
#define GXX_SAME(I, E, T) gxx_probe::same<decltype((E)), T>(I)
// The same for the result of a call of the function F.
#define GXX_SAME_RESULT(I, F, T) gxx_probe::same<decltype(gxx_probe::resultOf(&F)), T>(I)
// One probe line for a call of the function F, numbered I.
#define GXX_PROBE_RESULT(I, F) gxx_probe::show<decltype(gxx_probe::resultOf(&F))>(I)

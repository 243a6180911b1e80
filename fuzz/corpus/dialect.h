%:define CAT(a, b) a %:%: b
#define H <fuzz.h>
#if __has_include(H) || __has_include_next("x.h") || __has_builtin(__is_same)
CAT(x, y) a<:1:> <% %> std::vector<::ns::T> "<:" u8R"d(<%)d" 1'000
#elif __has_cpp_attribute(gnu::unused) > __has_attribute(nodiscard)
#endif
_Pragma("zenta sizeof int = 16") _Pragma("GCC diagnostic push")
#define P(x) _Pragma(#x) x
P(once) P(zenta pragma Q zenta stop_analyse)
#if 0b101 == 5 && 0x1'0 == 16
#define S(x) #x
S() S(<:)
#endif

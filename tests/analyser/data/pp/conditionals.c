/* Conditional inclusion. */
#define ZERO 0
#define ONE 1
#define EXPR (ONE + 2 * 3)
#if EXPR == 7
seven
#endif
#if defined(ONE) && !defined TWO
one_not_two
#elif 1
wrong
#endif
#ifdef ZERO
# if ZERO
 wrong
# elif ONE - 1
 wrong
# else
 zero_else
# endif
#else
wrong
#endif
#ifndef UNDEFINED_NAME
not_defined
#endif
#if 0
#error not reached
#if 1
wrong
#endif
#elif (2 > 1) && (-1 < 0) && (0u - 1 > 0)
arithmetic
#endif
#if 'A' == 65 && '\0' == 0 && 0x10 == 16 && 010 == 8
characters
#endif
#if (1 ? 2 : 3) == 2 && (0 ? 2 : 3) == 3 && (1 || 1 / 0) && !(0 && 1 / 0)
ternary_and_short_circuit
#endif
#if ~0 == -1 && (1 << 10) == 1024 && (-16 >> 2) == -4 && (7 % 3) == 1
bits
#endif
#if UNDEFINED_NAME == 0 && !UNDEFINED_NAME
identifiers_are_zero
#endif
#if 0
/* a '#else' in a comment does not count */
" #else in a string does not count "
#else
after_skipped_strings
#endif
#if L'ab' == 'b' && L'\xffffffff' < 0 && L'ab' != 'ab'
wide_character_is_the_last
#endif
/* The arithmetic of #if in 64 bits: unsigned comparisons, wrap-around,
   constants too big for the signed type, characters, precedence. */
#if -1 < 0
yes_01
#else
no_01
#endif
#if -1 > 0u
yes_02
#else
no_02
#endif
#if -1 < 0u
yes_03
#else
no_03
#endif
#if 0xffffffffffffffff == -1
yes_04
#else
no_04
#endif
#if 0x7fffffffffffffff + 1 < 0
yes_05
#else
no_05
#endif
#if 18446744073709551615 > 0
yes_06
#else
no_06
#endif
#if 4294967296 == 0x100000000
yes_07
#else
no_07
#endif
#if (1 << 63) < 0
yes_08
#else
no_08
#endif
#if (1u << 63) > 0
yes_09
#else
no_09
#endif
#if -8 >> 1 == -4
yes_10
#else
no_10
#endif
#if 1 << 64 == 0
yes_11
#else
no_11
#endif
#if 7 / 2 == 3 && -7 / 2 == -3 && -7 % 2 == -1
yes_12
#else
no_12
#endif
#if 010 == 8 && 0x1F == 31 && 10L == 10 && 3ULL == 3
yes_13
#else
no_13
#endif
#if ~0 == -1 && !0 && !!5 == 1
yes_14
#else
no_14
#endif
#if (1, 0)
yes_15
#else
no_15
#endif
#if 1 ? 2 : 0
yes_16
#else
no_16
#endif
#if 0 ? 1 : 0 ? 1 : 3
yes_17
#else
no_17
#endif
#if 1 ? 0 ? 5 : 0 : 1
yes_18
#else
no_18
#endif
#if (2 | 1) == 3 && (6 & 3) == 2 && (6 ^ 3) == 5
yes_19
#else
no_19
#endif
#if 1 + 2 * 3 == 7 && (1 + 2) * 3 == 9
yes_20
#else
no_20
#endif
#if 3 > 2 > 1
yes_21
#else
no_21
#endif
#if 'a' == 97 && '\n' == 10 && '\x41' == 65 && '\101' == 65
yes_22
#else
no_22
#endif
#if '\377' < 0
yes_23
#else
no_23
#endif
#if 'ab' == 24930
yes_24
#else
no_24
#endif
#if L'\377' == 255
yes_25
#else
no_25
#endif
#if ONE + 1 == 2
yes_26
#else
no_26
#endif
#if UNDEFINED_NAME
yes_27
#else
no_27
#endif
#if true
yes_28
#else
no_28
#endif
#if #lint(on)
yes_29
#else
no_29
#endif
#if defined ONE && defined(ONE) && !defined(TWO) && !defined TWO
yes_30
#else
no_30
#endif
#if defined __LINE__ && defined __STDC__
yes_31
#else
no_31
#endif

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

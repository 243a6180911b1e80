#ifndef GUARD
#define GUARD
#if defined(GUARD) && (1 << 3) == 8 && sizeof(long) >= 4 ? 1 : 0
yes
#elif 1/0
no
#else
#error never
#endif
#ifdef __LINE__
__LINE__ __FILE__ __INCLUDE_LEVEL__
#endif
#if 'ab' == 24930 && L'\377' == 255 && -1 < 0u
chars
#endif
#endif

// Compiler and platform macros: the export mark of the public interface, and the
// GCC/Clang builtins and attributes the runtime uses for speed. Another compiler sees
// plain C++: the hints vanish and nothing else changes.
#pragma once

// TERVANIX_API marks what the library exports: the classes' public methods, the value
// types, and the out-of-line functions that public inline code calls. Everything else
// has hidden visibility in a shared build.
#if defined(_WIN32) && defined(TERVANIX_SHARED)
#  if defined(TERVANIX_BUILDING)
#    define TERVANIX_API __declspec(dllexport)
#  else
#    define TERVANIX_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define TERVANIX_API __attribute__((visibility("default")))
#else
#  define TERVANIX_API
#endif

#if defined(__GNUC__)
#  define TERVANIX_LIKELY(condition) __builtin_expect(static_cast<bool>(condition), 1)
#  define TERVANIX_UNLIKELY(condition) __builtin_expect(static_cast<bool>(condition), 0)
#  define TERVANIX_UNREACHABLE() __builtin_unreachable()
#  define TERVANIX_ALWAYS_INLINE [[gnu::always_inline]]
#  define TERVANIX_COLD_NOINLINE [[gnu::cold, gnu::noinline]]
#  define TERVANIX_FLATTEN [[gnu::flatten]]
#  define TERVANIX_PURE_FUNCTION [[gnu::const]]
#else
#  define TERVANIX_LIKELY(condition) static_cast<bool>(condition)
#  define TERVANIX_UNLIKELY(condition) static_cast<bool>(condition)
#  define TERVANIX_UNREACHABLE() static_cast<void>(0)
#  define TERVANIX_ALWAYS_INLINE
#  define TERVANIX_COLD_NOINLINE
#  define TERVANIX_FLATTEN
#  define TERVANIX_PURE_FUNCTION
#endif

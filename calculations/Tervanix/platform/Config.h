// Compiler and platform macros: the export mark of the public interface, and the
// GCC/Clang builtins and attributes the runtime uses for speed. Another compiler sees
// plain C++: the hints vanish and nothing else changes.
#pragma once

// TERVANIX_API marks what a shared build of the library exports: the classes' public
// methods, the value types, and the out-of-line functions that public inline code
// calls. Everything else has hidden visibility. A static build exports nothing of its
// own, so a shared object that links it (a plug-in, a language module) shows none of
// the library's names.
#if defined(TERVANIX_SHARED) && defined(_WIN32)
#  if defined(TERVANIX_BUILDING)
#    define TERVANIX_API __declspec(dllexport)
#  else
#    define TERVANIX_API __declspec(dllimport)
#  endif
#elif defined(TERVANIX_SHARED) && defined(__GNUC__)
#  define TERVANIX_API __attribute__((visibility("default")))
#else
#  define TERVANIX_API
#endif

// TERVANIX_PRIVATE keeps a private member of an exported class out of the exports.
#if defined(TERVANIX_SHARED) && defined(__GNUC__) && !defined(_WIN32)
#  define TERVANIX_PRIVATE __attribute__((visibility("hidden")))
#else
#  define TERVANIX_PRIVATE
#endif

// Hints for the optimiser: a branch rarely or usually taken, a point never reached, a
// function always inlined or kept out of the hot path, and one whose result depends
// only on its arguments (TERVANIX_PURE_FUNCTION, GCC's const).
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

// TERVANIX_STEP_BY_STEP=1 builds the reference library (CMake option
// TERVANIX_STEP_BY_STEP): every method takes its plain step-by-step path, with no fast
// path, no carried values and no batch search, so that the normal build can be
// compared with it call for call. Code selects its path with rt::kStepByStep.
#ifndef TERVANIX_STEP_BY_STEP
#  define TERVANIX_STEP_BY_STEP 0
#endif

namespace tervanix::rt {
inline constexpr bool kStepByStep = TERVANIX_STEP_BY_STEP != 0;
}  // namespace tervanix::rt

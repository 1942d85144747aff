// The scope reads and writes the processor's registers itself where it knows them
// (x86 with GCC or Clang: the x87 environment and MXCSR; aarch64: FPCR and FPSR), so
// that every part of the environment comes back, whatever the C library's fenv
// functions cover. Elsewhere it uses those functions.
#include "Tervanix/runtime/FpEnvironment.h"

#if !defined(__GNUC__) && defined(_M_X64)
#include <xmmintrin.h>
#endif

namespace tervanix {

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

namespace {
constexpr std::uint32_t kX87Masks = 0x003Fu;     // the six exception masks
constexpr std::uint32_t kX87Rounding = 0x0C00u;  // rounding control; 0 is to nearest
constexpr std::uint32_t kMxcsrFlags = 0x003Fu;
constexpr std::uint32_t kMxcsrDenormalsAreZero = 0x0040u;
constexpr std::uint32_t kMxcsrMasks = 0x1F80u;
constexpr std::uint32_t kMxcsrRounding = 0x6000u;
constexpr std::uint32_t kMxcsrFlushToZero = 0x8000u;
}  // namespace

FpEnvironmentScope::FpEnvironmentScope() noexcept {
    // FNSTENV also masks every x87 exception; the x87 precision control stays the host's.
    asm volatile("fnstenv %0" : "=m"(x87_));
    asm volatile("fnclex");
    const std::uint16_t control = static_cast<std::uint16_t>((x87_[0] | kX87Masks) & ~kX87Rounding);
    asm volatile("fldcw %0" : : "m"(control));
    asm volatile("stmxcsr %0" : "=m"(mxcsr_));
    const std::uint32_t defaults = (mxcsr_ | kMxcsrMasks) &
        ~(kMxcsrFlags | kMxcsrRounding | kMxcsrFlushToZero | kMxcsrDenormalsAreZero);
    asm volatile("ldmxcsr %0" : : "m"(defaults));
}

FpEnvironmentScope::~FpEnvironmentScope() {
    asm volatile("fldenv %0" : : "m"(x87_));
    asm volatile("ldmxcsr %0" : : "m"(mxcsr_));
}

#elif defined(__GNUC__) && defined(__aarch64__)

namespace {
constexpr std::uint64_t kFlushInputsToZero = 1u << 0;  // FIZ and AH: newer processors only
constexpr std::uint64_t kAlternateHandling = 1u << 1;
constexpr std::uint64_t kTrapEnables = 0x9F00u;       // IOE, DZE, OFE, UFE, IXE, IDE
constexpr std::uint64_t kRounding = 3u << 22;          // 0 is to nearest
constexpr std::uint64_t kFlushToZero = 1u << 24;
constexpr std::uint64_t kDefaultNaN = 1u << 25;
}  // namespace

FpEnvironmentScope::FpEnvironmentScope() noexcept {
    asm volatile("mrs %0, fpcr" : "=r"(fpcr_));
    asm volatile("mrs %0, fpsr" : "=r"(fpsr_));
    const std::uint64_t defaults = fpcr_ &
        ~(kFlushInputsToZero | kAlternateHandling | kTrapEnables | kRounding | kFlushToZero | kDefaultNaN);
    asm volatile("msr fpsr, %0" : : "r"(std::uint64_t{0}));
    asm volatile("msr fpcr, %0" : : "r"(defaults));
}

FpEnvironmentScope::~FpEnvironmentScope() {
    asm volatile("msr fpcr, %0" : : "r"(fpcr_));
    asm volatile("msr fpsr, %0" : : "r"(fpsr_));
}

#else

FpEnvironmentScope::FpEnvironmentScope() noexcept {
#if defined(_M_X64)
    mxcsr_ = _mm_getcsr();
#endif
    std::feholdexcept(&host_);  // saves, clears the flags, masks every trap
    std::fesetround(FE_TONEAREST);
#if defined(_M_X64)
    constexpr unsigned int kFlushToZero = 0x8000u;
    constexpr unsigned int kDenormalsAreZero = 0x0040u;
    _mm_setcsr(_mm_getcsr() & ~(kFlushToZero | kDenormalsAreZero));
#endif
}

FpEnvironmentScope::~FpEnvironmentScope() {
    std::fesetenv(&host_);
#if defined(_M_X64)
    _mm_setcsr(mxcsr_);
#endif
}

#endif

}  // namespace tervanix

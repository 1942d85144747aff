// The mapping from error kinds to run-time error numbers, and the EXCEPINFO a host
// receives.
#include "Errors.h"

namespace tvcom {

int NumberOf(tervanix::ErrorKind kind) noexcept {
    using tervanix::ErrorKind;
    switch (kind) {
        case ErrorKind::OverflowError: return kOverflow;
        case ErrorKind::SubscriptOutOfRange: return kSubscript;
        case ErrorKind::FloatingPointFault: return kDivisionByZero;
        case ErrorKind::InvalidArgument: return kInvalidCall;
        case ErrorKind::TypeMismatch: return kTypeMismatch;
        case ErrorKind::MissingObject: return kObjectRequired;
        case ErrorKind::OutOfMemory: return kOutOfMemory;
    }
    return kInvalidCall;
}

const char* KindOfNumber(int number) noexcept {
    switch (number) {
        case kOverflow: return "OverflowError";
        case kSubscript: return "SubscriptOutOfRange";
        case kDivisionByZero: return "FloatingPointFault";
        case kTypeMismatch: return "TypeMismatch";
        case kObjectRequired: return "MissingObject";
        case kOutOfMemory: return "OutOfMemory";
        case kNotOptional: return "ArgumentNotOptional";
        case kWrongArguments: return "WrongNumberOfArguments";
        default: return "InvalidArgument";
    }
}

std::wstring Widen(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring out(static_cast<size_t>(n - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &out[0], n);
    return out;
}

HRESULT Report(EXCEPINFO* info, const wchar_t* source, int number, const std::string& text) {
    const HRESULT code = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
    if (info == nullptr) return code;
    ZeroMemory(info, sizeof *info);
    info->scode = code;
    info->bstrSource = SysAllocString(source);
    info->bstrDescription = SysAllocString(Widen(text.c_str()).c_str());
    return DISP_E_EXCEPTION;
}

}  // namespace tvcom

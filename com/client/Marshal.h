// The library's arrays and Variants as SAFEARRAYs and back, for the client's calls.
// Elements lie as the platform lays them: the first subscript varies fastest.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <Tervanix/runtime/Array.h>
#include <Tervanix/runtime/Variant.h>

namespace comclient {

// A SAFEARRAY with the array's bounds and elements (nullptr for an array never given
// bounds), owned by the holder.
class SafeArray {
public:
    explicit SafeArray(const tervanix::DoubleArray& a);
    explicit SafeArray(const tervanix::DoubleArray2D& a);
    explicit SafeArray(const tervanix::DoubleArray3D& a);
    ~SafeArray();
    SafeArray(const SafeArray&) = delete;
    SafeArray& operator=(const SafeArray&) = delete;
    SAFEARRAY** Address() { return &array_; }
    void CopyTo(tervanix::DoubleArray& a) const;  // the elements back, same bounds

private:
    SAFEARRAY* array_ = nullptr;
};

// CSort's data as a VARIANT holding an array of its kind (or a single value), and
// the sorted elements back into the library Variant.
VARIANT ToVariant(tervanix::Variant& v);
void BackInto(const VARIANT& from, tervanix::Variant& v);

}  // namespace comclient

// Variant: a tagged value that holds nothing, a number, a string, an array it owns,
// or a reference to an array variable of the host (so that sorting through the
// Variant reorders the host's own array).
#pragma once

#include <memory>
#include <variant>

#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

class Variant;
using VariantArray = rt::BasicArray<Variant, 1>;

/// A tagged value: nothing (Empty), a number, a string, an array that the Variant
/// owns, or a reference to an array variable of the host, so that sorting through
/// the Variant (CSort) reorders the host's own array.
class TERVANIX_API Variant {
public:
    /// What a Variant holds; an array and a reference to one give the same kind.
    enum class Kind { Empty, OfInteger, OfLong, OfDouble, OfBoolean, OfString, OfDoubleArray, OfLongArray, OfStringArray, OfVariantArray };

    /// A Variant holding the given value, of the kind of its type; without a value,
    /// Empty. Implicit, so that a value is passed where a Variant is asked for. An
    /// array is copied into the Variant, which owns it (a copy of the Variant copies
    /// the array).
    ///
    /// @code
    ///   Variant v = 2.5;
    ///   v.kind() == Variant::Kind::OfDouble;   // true
    ///   Variant w = u"text";                     // a String
    /// @endcode
    Variant() noexcept;
    Variant(Integer value);        // NOLINT: implicit on purpose, as for every kind below
    Variant(Long value);           // NOLINT
    Variant(Double value);         // NOLINT
    Variant(Boolean value);        // NOLINT
    Variant(bool value);           // NOLINT: a Boolean
    Variant(String value);         // NOLINT
    Variant(const char16_t* value);  // NOLINT
    Variant(DoubleArray value);    // NOLINT
    Variant(LongArray value);      // NOLINT
    Variant(StringArray value);    // NOLINT
    Variant(VariantArray value);   // NOLINT

    /// A Variant that refers to the host's array variable; what is done to the array
    /// through the Variant is done to the host's array. The array must outlive the
    /// Variant and its copies.
    ///
    /// @code
    ///   DoubleArray x(1, {2.0, 1.0});
    ///   Variant v = Variant::RefTo(x);
    ///   CSort().BubbleSort1DArray(v);   // x(1) = 1
    /// @endcode
    static Variant RefTo(DoubleArray& array) noexcept;
    static Variant RefTo(LongArray& array) noexcept;
    static Variant RefTo(StringArray& array) noexcept;
    static Variant RefTo(VariantArray& array) noexcept;

    /// @{
    /// Copies and moves. A copy of a Variant that owns an array copies the array; a
    /// copy of a reference refers to the same host array.
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant();
    /// @}

    /// What the Variant holds.
    Kind kind() const noexcept;
    /// Whether it holds an array, owned or referred to.
    bool IsArray() const noexcept;
    /// Whether it refers to a host's array variable (made by RefTo).
    bool IsReference() const noexcept;

    /// @{
    /// The value held, when it is of exactly that kind (no conversion: a Long is not
    /// an Integer or a Double).
    ///
    /// @throws LibraryError TypeMismatch when the Variant holds another kind.
    ///
    /// @code
    ///   Variant v = 2.5;
    ///   v.AsDouble();   // 2.5
    ///   v.AsLong();     // throws TypeMismatch
    /// @endcode
    Integer AsInteger() const;
    Long AsLong() const;
    Double AsDouble() const;
    Boolean AsBoolean() const;
    const String& AsString() const;
    /// @}

    /// @{
    /// Two Variants are equal when they hold the same kind and the same value; arrays
    /// compare element by element, references by the array they refer to.
    ///
    /// @code
    ///   Variant(2.0) == Variant(2.0);      // true
    ///   Variant(2.0) == Variant(Long{2});  // false: a Double and a Long
    /// @endcode
    friend TERVANIX_API bool operator==(const Variant& a, const Variant& b);
    friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }
    /// @}
    /// Writes the kind and the value, such as "Double 2.5", "String \"a\"" or "Empty".
    friend TERVANIX_API std::ostream& operator<<(std::ostream& os, const Variant& v);

private:
    template <typename A>
    struct Owned {  // an array owned by value, kept on the heap so that Variant stays small
        std::unique_ptr<A> array;
    };
    using Storage = std::variant<std::monostate, Integer, Long, Double, Boolean, String,
                                 Owned<DoubleArray>, Owned<LongArray>, Owned<StringArray>,
                                 Owned<VariantArray>, DoubleArray*, LongArray*, StringArray*,
                                 VariantArray*>;
    Storage storage_;

    friend struct VariantAccess;
};

// Internal to the library (not exported): the runtime's Variant facilities, through
// which CSort reads, compares and writes the elements of the array in a Variant.
namespace rt {

// The array that a Variant holds or refers to.
using ArrayRef = std::variant<DoubleArray*, LongArray*, StringArray*, VariantArray*>;

// The array in a Variant; a Variant without one raises TypeMismatch, naming the
// argument `name` as the caller knows it.
ArrayRef ArrayOf(Variant& v, const char* name = "the Variant");

Long LBound(const ArrayRef& array);
Long UBound(const ArrayRef& array);

// The element at a subscript of the array in a Variant, as a value; and its
// replacement by a value (converted to the array's element type, TypeMismatch when
// it cannot be). Subscripts are checked as every array access is.
Variant LoadElement(const ArrayRef& array, Long subscript);
void StoreElement(const ArrayRef& array, Long subscript, const Variant& value);

// Greater-than of two values: numbers (Integer, Long, Double, Boolean) by value,
// two strings by their 16-bit code units, Empty as 0 beside a number and as the
// empty string beside a string. A number beside a string, or an array beside
// anything, raises TypeMismatch. A NaN is greater than nothing.
bool GreaterThan(const Variant& a, const Variant& b);

// The copy facility: `target` receives a copy of `source` (an owned array is copied).
void Copy(Variant& target, const Variant& source);

}  // namespace rt
}  // namespace tervanix

#include "Tervanix/runtime/Variant.h"

#include <iomanip>
#include <new>
#include <type_traits>

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"
#include "Tervanix/runtime/WholeNumbers.h"

namespace tervanix {

namespace {

template <class... F>
struct Overload : F... {
    using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;

[[noreturn]] void RaiseMismatch(const char* what) { rt::Raise(ErrorKind::TypeMismatch, what); }

[[noreturn]] void RaiseNoMemoryForValue() {
    rt::Raise(ErrorKind::OutOfMemory, "no memory for a copy of a Variant's value");
}

}  // namespace

// Reaches the storage of a Variant for the runtime functions below.
struct VariantAccess {
    static const Variant::Storage& Of(const Variant& v) { return v.storage_; }
    static Variant::Storage& Of(Variant& v) { return v.storage_; }

    template <typename A>
    static Variant::Owned<A> Own(A&& array) {
        try {
            return Variant::Owned<A>{std::make_unique<A>(std::move(array))};
        } catch (const std::bad_alloc&) {
            RaiseNoMemoryForValue();
        }
    }

    template <typename H>
    static constexpr bool kIsOwned =
        std::is_same_v<H, Variant::Owned<DoubleArray>> || std::is_same_v<H, Variant::Owned<LongArray>> ||
        std::is_same_v<H, Variant::Owned<StringArray>> || std::is_same_v<H, Variant::Owned<VariantArray>>;
    template <typename H>
    static constexpr bool kIsReference = std::is_same_v<H, DoubleArray*> || std::is_same_v<H, LongArray*> ||
                                         std::is_same_v<H, StringArray*> || std::is_same_v<H, VariantArray*>;

    // A copy of an owned array comes from the array's own copy, which raises
    // OutOfMemory itself; any other allocation that fails raises it here.
    static Variant::Storage Clone(const Variant::Storage& s) {
        try {
            return CloneHeld(s);
        } catch (const std::bad_alloc&) {
            RaiseNoMemoryForValue();
        }
    }
    static Variant::Storage CloneHeld(const Variant::Storage& s) {
        return std::visit(
            [](const auto& held) -> Variant::Storage {
                using H = std::decay_t<decltype(held)>;
                if constexpr (kIsOwned<H>) {
                    using A = typename decltype(held.array)::element_type;
                    return H{std::make_unique<A>(*held.array)};
                } else {
                    return held;
                }
            },
            s);
    }

    // The array the Variant holds or refers to; false when it has none.
    static bool ArrayIn(Variant& v, rt::ArrayRef& array) {
        return std::visit(
            [&array](auto& held) {
                using H = std::decay_t<decltype(held)>;
                if constexpr (kIsReference<H>) {
                    array = held;
                    return true;
                } else if constexpr (kIsOwned<H>) {
                    array = held.array.get();
                    return true;
                } else {
                    return false;
                }
            },
            v.storage_);
    }
};

Variant::Variant() noexcept = default;
Variant::Variant(Integer value) : storage_(value) {}
Variant::Variant(Long value) : storage_(value) {}
Variant::Variant(Double value) : storage_(value) {}
Variant::Variant(Boolean value) : storage_(value) {}
Variant::Variant(bool value) : storage_(Boolean(value)) {}
Variant::Variant(String value) : storage_(std::move(value)) {}
Variant::Variant(const char16_t* value) : storage_(String(value)) {}
Variant::Variant(DoubleArray value) : storage_(VariantAccess::Own(std::move(value))) {}
Variant::Variant(LongArray value) : storage_(VariantAccess::Own(std::move(value))) {}
Variant::Variant(StringArray value) : storage_(VariantAccess::Own(std::move(value))) {}
Variant::Variant(VariantArray value) : storage_(VariantAccess::Own(std::move(value))) {}

Variant Variant::RefTo(DoubleArray& array) noexcept { Variant v; v.storage_ = &array; return v; }
Variant Variant::RefTo(LongArray& array) noexcept { Variant v; v.storage_ = &array; return v; }
Variant Variant::RefTo(StringArray& array) noexcept { Variant v; v.storage_ = &array; return v; }
Variant Variant::RefTo(VariantArray& array) noexcept { Variant v; v.storage_ = &array; return v; }

Variant::Variant(const Variant& other) : storage_(VariantAccess::Clone(other.storage_)) {}
Variant::Variant(Variant&& other) noexcept = default;
Variant& Variant::operator=(const Variant& other) {
    if (this != &other) storage_ = VariantAccess::Clone(other.storage_);
    return *this;
}
Variant& Variant::operator=(Variant&& other) noexcept = default;
Variant::~Variant() = default;

Variant::Kind Variant::kind() const noexcept {
    static constexpr Kind kinds[] = {Kind::Empty,       Kind::OfInteger,     Kind::OfLong,
                                     Kind::OfDouble,      Kind::OfBoolean,     Kind::OfString,
                                     Kind::OfDoubleArray, Kind::OfLongArray,   Kind::OfStringArray,
                                     Kind::OfVariantArray, Kind::OfDoubleArray, Kind::OfLongArray,
                                     Kind::OfStringArray, Kind::OfVariantArray};
    return kinds[storage_.index()];
}

bool Variant::IsArray() const noexcept { return storage_.index() >= 6; }
bool Variant::IsReference() const noexcept { return storage_.index() >= 10; }

namespace {

template <typename T>
const T& Held(const T* p, const char* name) {
    if (p == nullptr) {
        rt::MessageText<> text;
        RaiseMismatch((text << "the Variant does not hold a " << name).c_str());
    }
    return *p;
}

template <typename A>
bool SameArray(const A& a, const A& b) {
    if (a.HasBounds() != b.HasBounds()) return false;
    if (!a.HasBounds()) return true;
    if (a.LBound() != b.LBound() || a.UBound() != b.UBound()) return false;
    for (std::int64_t i = a.LBound(); i <= a.UBound(); ++i) {
        if (!(a(static_cast<Long>(i)) == b(static_cast<Long>(i)))) return false;
    }
    return true;
}

}  // namespace

Integer Variant::AsInteger() const { return Held(std::get_if<Integer>(&storage_), "Integer"); }
Long Variant::AsLong() const { return Held(std::get_if<Long>(&storage_), "Long"); }
Double Variant::AsDouble() const { return Held(std::get_if<Double>(&storage_), "Double"); }
Boolean Variant::AsBoolean() const { return Held(std::get_if<Boolean>(&storage_), "Boolean"); }
const String& Variant::AsString() const { return Held(std::get_if<String>(&storage_), "String"); }

bool operator==(const Variant& a, const Variant& b) {
    // ArrayOf hands out writable access; the arrays are only read here.
    Variant& ma = const_cast<Variant&>(a);
    Variant& mb = const_cast<Variant&>(b);
    if (a.IsArray() && b.IsArray()) {
        const rt::ArrayRef x = rt::ArrayOf(ma, "a");
        const rt::ArrayRef y = rt::ArrayOf(mb, "b");
        if (x.index() != y.index()) return false;
        return std::visit(
            [&](auto* p) {
                using A = std::remove_pointer_t<decltype(p)>;
                return SameArray(*p, **std::get_if<A*>(&y));
            },
            x);
    }
    return VariantAccess::Of(a).index() == VariantAccess::Of(b).index() &&
           std::visit(Overload{[](std::monostate) { return true; },
                               [&](const auto& held) {
                                   using H = std::decay_t<decltype(held)>;
                                   if constexpr (std::is_same_v<H, Integer> || std::is_same_v<H, Long> ||
                                                 std::is_same_v<H, Double> || std::is_same_v<H, Boolean> ||
                                                 std::is_same_v<H, String>) {
                                       return held == std::get<H>(VariantAccess::Of(b));
                                   } else {
                                       return false;
                                   }
                               }},
                      VariantAccess::Of(a));
}

std::ostream& operator<<(std::ostream& os, const Variant& v) {
    std::visit(Overload{[&](std::monostate) { os << "Empty"; },
                        [&](Integer x) { os << "Integer " << x; },
                        [&](Long x) { os << "Long " << x; },
                        [&](Double x) { os << "Double " << std::setprecision(17) << x; },
                        [&](Boolean x) { os << "Boolean " << x; },
                        [&](const String& x) {
                            os << "String \"";
                            for (char16_t c : x) os << (c < 128 ? static_cast<char>(c) : '?');
                            os << '"';
                        },
                        [&](const auto&) { os << (v.IsReference() ? "reference to an array" : "array"); }},
               VariantAccess::Of(v));
    return os;
}

namespace rt {

ArrayRef ArrayOf(Variant& v, const char* name) {
    ArrayRef array;
    if (!VariantAccess::ArrayIn(v, array)) {
        MessageText<> text;
        text << name << " holds no array; pass a Variant that holds an array or refers to one (Variant::RefTo)";
        RaiseMismatch(text.c_str());
    }
    return array;
}

Long LBound(const ArrayRef& array) {
    return std::visit([](auto* a) { return a->LBound(); }, array);
}

Long UBound(const ArrayRef& array) {
    return std::visit([](auto* a) { return a->UBound(); }, array);
}

Variant LoadElement(const ArrayRef& array, Long subscript) {
    return std::visit([subscript](auto* a) { return Variant((*a)(subscript)); }, array);
}

namespace {

Double NumberOf(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty: return 0.0;
        case Variant::Kind::OfInteger: return value.AsInteger();
        case Variant::Kind::OfLong: return value.AsLong();
        case Variant::Kind::OfDouble: return value.AsDouble();
        case Variant::Kind::OfBoolean: return value.AsBoolean().Raw();
        default: RaiseMismatch("a number is needed");
    }
}

}  // namespace

void StoreElement(const ArrayRef& array, Long subscript, const Variant& value) {
    std::visit(Overload{[&](DoubleArray* a) {
                            const Double x = NumberOf(value);
                            (*a)(subscript) = x;
                        },
                        [&](LongArray* a) {
                            const Long x = ToLong(NumberOf(value));
                            (*a)(subscript) = x;
                        },
                        [&](StringArray* a) {
                            if (value.kind() == Variant::Kind::Empty) {
                                (*a)(subscript) = String();
                            } else {
                                (*a)(subscript) = value.AsString();
                            }
                        },
                        [&](VariantArray* a) { (*a)(subscript) = value; }},
               array);
}

bool GreaterThan(const Variant& a, const Variant& b) {
    const Variant::Kind ka = a.kind();
    const Variant::Kind kb = b.kind();
    if (a.IsArray() || b.IsArray()) RaiseMismatch("an array cannot be compared");
    const bool stringA = ka == Variant::Kind::OfString;
    const bool stringB = kb == Variant::Kind::OfString;
    if (stringA || stringB) {
        if ((stringA || ka == Variant::Kind::Empty) && (stringB || kb == Variant::Kind::Empty)) {
            const String empty;
            const String& x = stringA ? a.AsString() : empty;
            const String& y = stringB ? b.AsString() : empty;
            return x.compare(y) > 0;
        }
        RaiseMismatch("a number cannot be compared with a string");
    }
    return NumberOf(a) > NumberOf(b);
}

void Copy(Variant& target, const Variant& source) { target = source; }

}  // namespace rt
}  // namespace tervanix

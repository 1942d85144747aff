// Both sorts of CSort, on the shared instance or an own one, with every kind of
// Variant: empty, numbers, strings, owned arrays of each element type (Variant
// arrays mixing kinds), and references to the host's arrays; X and Y may be the same
// Variant or refer to the same array.
#include "FuzzInput.h"

using namespace fuzz;

namespace {

struct HostArrays {
    DoubleArray doubles;
    LongArray longs;
    StringArray strings;
    VariantArray variants;
};

// A value of one of six kinds (0 to 5): empty, Integer, Long, Boolean, String, Double.
Variant AnyScalar(Input& in, int kind) {
    switch (kind) {
        case 0: return Variant();
        case 1: return Variant(in.AnyInteger());
        case 2: return Variant(in.AnyLong());
        case 3: return Variant(in.AnyBoolean());
        case 4: return Variant(in.AnyText().substr(0, 3));
        default: return Variant(in.AnyDouble());
    }
}

VariantArray AnyVariantArray(Input& in) {
    Long lower, count;
    in.AnyBounds(kMaxElements, lower, count);
    if (count < 0) return {};
    VariantArray array(lower, static_cast<Long>(std::int64_t{lower} + count - 1));
    const bool mixed = in.Flag();  // otherwise every element is of one kind
    const int kind = in.Pick(6);
    for (Long k = 0; k < count; ++k) {
        if (mixed && in.Pick(8) == 0) array(lower + k) = Variant(in.AnyArray(3));
        else array(lower + k) = AnyScalar(in, mixed ? in.Pick(6) : kind);
    }
    return array;
}

Variant AnyVariant(Input& in, HostArrays& host) {
    switch (in.Pick(10)) {
        case 0: return AnyScalar(in, in.Pick(6));
        case 1: return Variant(in.AnyArray());
        case 2: return Variant(in.AnyLongArray());
        case 3: return Variant(in.AnyStringArray());
        case 4: return Variant(AnyVariantArray(in));
        case 5: return Variant::RefTo(host.doubles);
        case 6: return Variant::RefTo(host.longs);
        case 7: return Variant::RefTo(host.strings);
        case 8: return Variant::RefTo(host.variants);
        default: return Variant(in.AnyArray());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const CSort own;
    const CSort& sort = in.Flag() ? CSort::Default() : own;
    HostArrays host{in.AnyArray(), in.AnyLongArray(), in.AnyStringArray(), AnyVariantArray(in)};
    Variant v[2] = {AnyVariant(in, host), AnyVariant(in, host)};
    while (in.More()) {
        const int operation = in.Pick(3);
        Variant& x = v[in.Pick(2)];
        Variant& y = v[in.Pick(2)];  // now and then the same Variant as x
        if (operation == 2) {
            x = AnyVariant(in, host);
            continue;
        }
        Checked(in, [&] {
            if (operation == 0) sort.BubbleSort1DArray(x);
            else sort.BubbleSortXYPairsByX(x, y);
        });
    }
    return 0;
}

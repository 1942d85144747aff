#include <Tervanix/CSort.h>

#include "Sections.h"

namespace fingerprint {

using namespace tervanix;

namespace {

Variant RandomElement(Inputs& in) {
    const std::uint64_t r = in.Next();
    switch (r % 12) {
        case 0: return Variant();
        case 1: return Variant(static_cast<Integer>(r % 7));
        case 2: return Variant(static_cast<Long>(r % 5) - 2);
        case 3: return Variant(Boolean(r % 2 == 0));
        case 4: return Variant(String(1, static_cast<char16_t>(u'a' + r % 3)));  // ends most sorts
        default: return Variant(static_cast<double>(r % 9) / 2.0);
    }
}

// An array of up to seven elements of one of the four kinds, with bounds anywhere in
// the Integer range and now and then beyond it; the Variant owns it or refers to it.
struct Arrays {
    DoubleArray doubles;
    LongArray longs;
    StringArray strings;
    VariantArray variants;

    template <typename A, typename Next>
    static Variant Fill(A& a, Long lo, Long count, bool byReference, Next next) {
        a = FilledArray<A>(lo, count, next);
        return byReference ? Variant::RefTo(a) : Variant(a);
    }

    Variant Make(Inputs& in, Long lo, Long count) {
        const bool byReference = in.Next() % 2 == 0;
        switch (in.Next() % 5) {
            case 0: return Fill(doubles, lo, count, byReference, [&] { return in.Next() % 10 == 0 ? -0.0 : in.Number(); });
            case 1: return Fill(longs, lo, count, byReference, [&] { return static_cast<Long>(in.Next() % 7) - 3; });
            case 2:
                return Fill(strings, lo, count, byReference, [&] {
                    const std::uint64_t r = in.Next();
                    return String(r % 3, static_cast<char16_t>(u'a' + r / 3 % 3));
                });
            case 3: return Fill(variants, lo, count, byReference, [&] { return RandomElement(in); });
            default: return Variant(in.Number());  // no array at all
        }
    }
};

void Add(Digest& d, Variant& v) {
    if (!v.IsArray()) return;
    const rt::ArrayRef a = rt::ArrayOf(v);
    for (Long i = rt::LBound(a); i <= rt::UBound(a); ++i) {
        const Variant e = rt::LoadElement(a, i);
        switch (e.kind()) {
            case Variant::Kind::OfDouble: d.Add(e.AsDouble()); break;
            case Variant::Kind::OfString: d.Add(e.AsString()); break;
            case Variant::Kind::OfBoolean: d.Add(e.AsBoolean()); break;
            case Variant::Kind::OfLong: d.Add(std::int64_t{e.AsLong()} + 1000); break;
            case Variant::Kind::OfInteger: d.Add(std::int64_t{e.AsInteger()} + 2000); break;
            default: d.Add(std::int64_t{-1}); break;
        }
    }
}

Long RandomLowerBound(Inputs& in) {
    switch (in.Next() % 8) {
        case 0: return 32767 - static_cast<Long>(in.Next() % 9);
        case 1: return -32768 - static_cast<Long>(in.Next() % 3);
        default: return static_cast<Long>(in.Next() % 7) - 3;
    }
}

}  // namespace

void Sorting(Digest& d) {
    const CSort& sorter = CSort::Default();
    Inputs in(4);
    for (int i = 0; i < 20000; ++i) {
        const Long lo = RandomLowerBound(in);
        const Long count = static_cast<Long>(in.Next() % 8);
        Arrays xs, ys;
        Variant x = xs.Make(in, lo, count);
        const Long yCount = count - static_cast<Long>(in.Next() % 3);
        Variant y = ys.Make(in, lo - static_cast<Long>(in.Next() % 2), yCount < 0 ? 0 : yCount);
        if (i % 2 == 0) {
            Try(d, [&] { sorter.BubbleSortXYPairsByX(x, y); });
        } else {
            Try(d, [&] { sorter.BubbleSort1DArray(x); });
        }
        Add(d, x);
        Add(d, y);
    }
}

}  // namespace fingerprint

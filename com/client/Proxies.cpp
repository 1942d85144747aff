// The stand-ins' methods (proxy/Tervanix/*.h): each converts its arguments, calls the
// component through IDispatch::Invoke by name and converts the results back. No
// arithmetic is done here.
#include <map>
#include <stdexcept>

#include "Marshal.h"
#include "proxy/Tervanix/CInterpolation.h"
#include "proxy/Tervanix/CSort.h"
#include "proxy/Tervanix/cGenUtil.h"
#include "proxy/Tervanix/cGeom.h"
#include "proxy/Tervanix/cInterp2.h"
#include "proxy/Tervanix/cMatrix.h"
#include "proxy/Tervanix/cMatrix2.h"
#include "proxy/Tervanix/cMatrixOps.h"

#include <Tervanix/runtime/MessageBox.h>

namespace tervanix {

using namespace comclient;

namespace {

Boolean B(const VARIANT& v) { return Boolean(AsBool(v)); }

// A Boolean output: the library's raw value in and out.
struct BoolOut {
    explicit BoolOut(Boolean& b) : target(b), raw(b.Raw()) {}
    ~BoolOut() { target = Boolean::FromRaw(raw); }
    Boolean& target;
    VARIANT_BOOL raw;
};

// A String output as a BSTR variable.
struct StringOut {
    explicit StringOut(String& s) : target(s), bstr(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()))) {}
    ~StringOut() {
        target.assign(reinterpret_cast<const char16_t*>(bstr), SysStringLen(bstr));
        SysFreeString(bstr);
    }
    String& target;
    BSTR bstr;
};

VARIANT Text(const String& s, BSTR& holder) {
    holder = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()));
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = holder;
    return v;
}

struct BstrHolder {
    BSTR b = nullptr;
    ~BstrHolder() { SysFreeString(b); }
};

// A matrix variable passed by reference: after the call, a new object in it becomes
// a new stand-in.
struct MatrixOut {
    explicit MatrixOut(std::shared_ptr<cMatrix2>& m) : target(m), before(m ? m->Object() : nullptr), now(before) {
        if (now) now->AddRef();
    }
    ~MatrixOut() {
        if (now != before) target = now ? std::make_shared<cMatrix2>(Ref(now)) : nullptr;
        else if (now) now->Release();
    }
    std::shared_ptr<cMatrix2>& target;
    IDispatch* before;
    IDispatch* now;
};

IDispatch* In(const std::shared_ptr<cMatrix2>& m) { return m ? m->Object() : nullptr; }

// An X/Y table passed as two typed arrays by reference; the elements come back when
// the call ends, whether it returned or raised.
struct Table {
    Table(DoubleArray& x, DoubleArray& y) : x_(x), y_(y), sx(x), sy(y) {}
    ~Table() {
        sx.CopyTo(x_);
        sy.CopyTo(y_);
    }
    VARIANT X() { return RefArray(sx.Address(), VT_R8); }
    VARIANT Y() { return RefArray(sy.Address(), VT_R8); }
    DoubleArray &x_, &y_;
    SafeArray sx, sy;
};

}  // namespace

// ---- CInterpolation ----

CInterpolation::CInterpolation() : object_(Create(L"Tervanix.CInterpolation")) {}
const CInterpolation& CInterpolation::Default() {
    static const CInterpolation* instance = new CInterpolation();  // kept to the end of the process
    return *instance;
}
Boolean CInterpolation::BoundedBy(Double a, Double b, Double c) const {
    return B(Call(object_.get(), L"BoundedBy", {R8(a), R8(b), R8(c)}));
}
Double CInterpolation::LinearInterpolation1Way(Double a, Double b, Double f) const {
    return AsDouble(Call(object_.get(), L"LinearInterpolation1Way", {R8(a), R8(b), R8(f)}));
}
Double CInterpolation::LinearInterpolation2Way(Double a, Double b, Double c, Double d, Double fx, Double fy) const {
    return AsDouble(Call(object_.get(), L"LinearInterpolation2Way", {R8(a), R8(b), R8(c), R8(d), R8(fx), R8(fy)}));
}
Double CInterpolation::LinearInterpolation3Way(Double a, Double b, Double c, Double d, Double e, Double f, Double g,
                                               Double h, Double fx, Double fy, Double fz) const {
    return AsDouble(Call(object_.get(), L"LinearInterpolation3Way",
                         {R8(a), R8(b), R8(c), R8(d), R8(e), R8(f), R8(g), R8(h), R8(fx), R8(fy), R8(fz)}));
}
Double CInterpolation::LinearInterpolation4Way(Double a, Double b, Double c, Double d, Double e, Double f, Double g,
                                               Double h, Double i, Double j, Double k, Double l, Double m, Double n,
                                               Double o, Double p, Double fx, Double fy, Double fz, Double fa) const {
    return AsDouble(Call(object_.get(), L"LinearInterpolation4Way",
                         {R8(a), R8(b), R8(c), R8(d), R8(e), R8(f), R8(g), R8(h), R8(i), R8(j), R8(k), R8(l), R8(m),
                          R8(n), R8(o), R8(p), R8(fx), R8(fy), R8(fz), R8(fa)}));
}
Boolean CInterpolation::InterpolationRatio(Double a, Double b, Double v, Double& out) const {
    return B(Call(object_.get(), L"InterpolationRatio", {R8(a), R8(b), R8(v), Ref8(&out)}));
}
Boolean CInterpolation::LinearExtrapolation1Way(Double x1, Double y1, Double x2, Double y2, Double x3, Double& y3) const {
    return B(Call(object_.get(), L"LinearExtrapolation1Way", {R8(x1), R8(y1), R8(x2), R8(y2), R8(x3), Ref8(&y3)}));
}
Boolean CInterpolation::LinearExtrapolation2Way(Double a, Double b, Double c, Double d, Double e, Double f, Double g,
                                                Double h, Double i, Double j, Double k, Double l, Double& y3) const {
    return B(Call(object_.get(), L"LinearExtrapolation2Way",
                  {R8(a), R8(b), R8(c), R8(d), R8(e), R8(f), R8(g), R8(h), R8(i), R8(j), R8(k), R8(l), Ref8(&y3)}));
}
Boolean CInterpolation::InterpolationOf1DArray(Double t, DoubleArray& x, DoubleArray& y, BoundaryCondition mode,
                                               Double& result) const {
    Table table(x, y);
    return B(Call(object_.get(), L"InterpolationOf1DArray",
                  {R8(t), table.X(), table.Y(), I4(mode), Ref8(&result)}));
}
Boolean CInterpolation::InterpolationIndices(Double t, const DoubleArray& x, BoundaryCondition mode, Integer& n1,
                                             Integer& n2, Double& f, Boolean& outside) const {
    SafeArray sx(x);
    BoolOut o(outside);
    return B(Call(object_.get(), L"InterpolationIndices",
                  {R8(t), RefArray(sx.Address(), VT_R8), I4(mode), RefI2(&n1), RefI2(&n2), Ref8(&f), RefBool(&o.raw)}));
}

// ---- CSort ----

CSort::CSort() : object_(Create(L"Tervanix.CSort")) {}
const CSort& CSort::Default() {
    static const CSort* instance = new CSort();
    return *instance;
}
void CSort::BubbleSortXYPairsByX(Variant& x, Variant& y) const {
    VARIANT vx = ToVariant(x), vy = ToVariant(y);
    struct Back {
        VARIANT &vx, &vy;
        Variant &x, &y;
        ~Back() {
            BackInto(vx, x);
            BackInto(vy, y);
            VariantClear(&vx);
            VariantClear(&vy);
        }
    } back{vx, vy, x, y};
    Call(object_.get(), L"BubbleSortXYPairsByX", {RefVariant(&vx), RefVariant(&vy)});
}
void CSort::BubbleSort1DArray(Variant& x) const {
    VARIANT vx = ToVariant(x);
    struct Back {
        VARIANT& vx;
        Variant& x;
        ~Back() {
            BackInto(vx, x);
            VariantClear(&vx);
        }
    } back{vx, x};
    Call(object_.get(), L"BubbleSort1DArray", {RefVariant(&vx)});
}

// ---- cGenUtil ----

cGenUtil::cGenUtil() : object_(Create(L"Tervanix.cGenUtil")) {}
Double cGenUtil::Min(Double X, Double Y) const { return AsDouble(Call(object_.get(), L"Min", {R8(X), R8(Y)})); }
Double cGenUtil::Max(Double X, Double Y) const { return AsDouble(Call(object_.get(), L"Max", {R8(X), R8(Y)})); }
Double cGenUtil::Avg(Double X, Double Y) const { return AsDouble(Call(object_.get(), L"Avg", {R8(X), R8(Y)})); }
Double cGenUtil::Log10(Double X) const { return AsDouble(Call(object_.get(), L"Log10", {R8(X)})); }
Double cGenUtil::Log10Sum(Double X, Double Y) const { return AsDouble(Call(object_.get(), L"Log10Sum", {R8(X), R8(Y)})); }
Double cGenUtil::LogDBSum(Double X, Double Y) const { return AsDouble(Call(object_.get(), L"LogDBSum", {R8(X), R8(Y)})); }
Boolean cGenUtil::IsEqualAbs(Double X, Double Y, Double t) const { return B(Call(object_.get(), L"IsEqualAbs", {R8(X), R8(Y), R8(t)})); }
Boolean cGenUtil::IsEqualRel(Double X, Double Y, Double t) const { return B(Call(object_.get(), L"IsEqualRel", {R8(X), R8(Y), R8(t)})); }
Boolean cGenUtil::IntToBin(Integer n, String& s) const {
    StringOut out(s);
    return B(Call(object_.get(), L"IntToBin", {I2(n), RefBstr(&out.bstr)}));
}
Boolean cGenUtil::BinToInt(const String& s, Integer& n) const {
    BstrHolder h;
    return B(Call(object_.get(), L"BinToInt", {Text(s, h.b), RefI2(&n)}));
}
Boolean cGenUtil::LongToBin(Long n, String& s) const {
    StringOut out(s);
    return B(Call(object_.get(), L"LongToBin", {I4(n), RefBstr(&out.bstr)}));
}
Boolean cGenUtil::BinToLong(const String& s, Long& n) const {
    BstrHolder h;
    long value = n;
    struct Back {
        long& v;
        Long& n;
        ~Back() { n = static_cast<Long>(v); }
    } back{value, n};
    return B(Call(object_.get(), L"BinToLong", {Text(s, h.b), RefI4(&value)}));
}

// ---- cGeom ----

cGeom::cGeom() : object_(Create(L"Tervanix.cGeom")) {}
Double cGeom::PI() const { return AsDouble(Call(object_.get(), L"PI", {})); }
Double cGeom::Distance2D(Double a, Double b, Double c, Double d) const {
    return AsDouble(Call(object_.get(), L"Distance2D", {R8(a), R8(b), R8(c), R8(d)}));
}
Double cGeom::Distance3D(Double a, Double b, Double c, Double d, Double e, Double f) const {
    return AsDouble(Call(object_.get(), L"Distance3D", {R8(a), R8(b), R8(c), R8(d), R8(e), R8(f)}));
}
Boolean cGeom::Line2D(Double a, Double b, Double c, Double d, Double& m, Double& B_) const {
    return B(Call(object_.get(), L"Line2D", {R8(a), R8(b), R8(c), R8(d), Ref8(&m), Ref8(&B_)}));
}
void cGeom::VectorAdd(Double a, Double b, Double c, Double d, Double e, Double f, Double& x, Double& y, Double& z) const {
    Call(object_.get(), L"VectorAdd", {R8(a), R8(b), R8(c), R8(d), R8(e), R8(f), Ref8(&x), Ref8(&y), Ref8(&z)});
}
Double cGeom::DotProduct(Double a, Double b, Double c, Double d, Double e, Double f) const {
    return AsDouble(Call(object_.get(), L"DotProduct", {R8(a), R8(b), R8(c), R8(d), R8(e), R8(f)}));
}
void cGeom::CrossProduct(Double a, Double b, Double c, Double d, Double e, Double f, Double& x, Double& y, Double& z) const {
    Call(object_.get(), L"CrossProduct", {R8(a), R8(b), R8(c), R8(d), R8(e), R8(f), Ref8(&x), Ref8(&y), Ref8(&z)});
}
void cGeom::PlaneCoeffsFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2, Double x3, Double y3,
                                Double z3, Double& A, Double& B_, Double& c, Double& d) const {
    Call(object_.get(), L"PlaneCoeffsFrom3Pts",
         {R8(x1), R8(y1), R8(z1), R8(x2), R8(y2), R8(z2), R8(x3), R8(y3), R8(z3), Ref8(&A), Ref8(&B_), Ref8(&c), Ref8(&d)});
}
void cGeom::SurfNormFrom3Pts(Double x1, Double y1, Double z1, Double x2, Double y2, Double z2, Double x3, Double y3,
                             Double z3, Double& A, Double& B_, Double& c) const {
    Call(object_.get(), L"SurfNormFrom3Pts",
         {R8(x1), R8(y1), R8(z1), R8(x2), R8(y2), R8(z2), R8(x3), R8(y3), R8(z3), Ref8(&A), Ref8(&B_), Ref8(&c)});
}
Boolean cGeom::Intersect2Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2, Double d2,
                                Double& v3i, Double& v3j, Double& v3k, Double& v4i, Double& v4j, Double& v4k) const {
    return B(Call(object_.get(), L"Intersect2Planes",
                  {R8(a1), R8(b1), R8(c1), R8(d1), R8(a2), R8(b2), R8(c2), R8(d2), Ref8(&v3i), Ref8(&v3j), Ref8(&v3k),
                   Ref8(&v4i), Ref8(&v4j), Ref8(&v4k)}));
}
Boolean cGeom::Intersect3Planes(Double a1, Double b1, Double c1, Double d1, Double a2, Double b2, Double c2, Double d2,
                                Double a3, Double b3, Double c3, Double d3, Double& X, Double& Y, Double& Z) const {
    return B(Call(object_.get(), L"Intersect3Planes",
                  {R8(a1), R8(b1), R8(c1), R8(d1), R8(a2), R8(b2), R8(c2), R8(d2), R8(a3), R8(b3), R8(c3), R8(d3),
                   Ref8(&X), Ref8(&Y), Ref8(&Z)}));
}
void cGeom::CartToPolar(Double X, Double Y, Double& r, Double& theta) const {
    Call(object_.get(), L"CartToPolar", {R8(X), R8(Y), Ref8(&r), Ref8(&theta)});
}
void cGeom::PolarToCart(Double r, Double theta, Double& X, Double& Y) const {
    Call(object_.get(), L"PolarToCart", {R8(r), R8(theta), Ref8(&X), Ref8(&Y)});
}
Double cGeom::DegToRad(Double deg) const { return AsDouble(Call(object_.get(), L"DegToRad", {R8(deg)})); }
Double cGeom::RadToDeg(Double rad) const { return AsDouble(Call(object_.get(), L"RadToDeg", {R8(rad)})); }
Boolean cGeom::InLine2D(Double x1, Double y1, Double x2, Double y2, Double x3, Double y3, Double tol) const {
    return B(Call(object_.get(), L"InLine2D", {R8(x1), R8(y1), R8(x2), R8(y2), R8(x3), R8(y3), R8(tol)}));
}

// ---- cMatrix2 ----

cMatrix2::cMatrix2() : object_(Create(L"Tervanix.cMatrix2")) {}
void cMatrix2::NumRows(const Long& i) { Put(object_.get(), L"NumRows", I4(i)); }
Long cMatrix2::NumRows() const { return AsLong(Call(object_.get(), L"NumRows", {}, DISPATCH_PROPERTYGET)); }
void cMatrix2::NumCols(const Long& i) { Put(object_.get(), L"NumCols", I4(i)); }
Long cMatrix2::NumCols() const { return AsLong(Call(object_.get(), L"NumCols", {}, DISPATCH_PROPERTYGET)); }
void cMatrix2::PutData(const Long& row, const Long& col, const Double& value) {
    Call(object_.get(), L"PutData", {I4(row), I4(col), R8(value)});
}
Double cMatrix2::GetData(const Long& row, const Long& col) const {
    return AsDouble(Call(object_.get(), L"GetData", {I4(row), I4(col)}));
}

// ---- cMatrixOps ----

cMatrixOps::cMatrixOps() : object_(Create(L"Tervanix.cMatrixOps")) {}
Boolean cMatrixOps::MatrixTrans(const std::shared_ptr<cMatrix2>& a, std::shared_ptr<cMatrix2>& t) const {
    MatrixOut out(t);
    return B(Call(object_.get(), L"MatrixTrans", {Obj(In(a)), RefDispatch(&out.now)}));
}
Boolean cMatrixOps::MatrixMult(const std::shared_ptr<cMatrix2>& a, const std::shared_ptr<cMatrix2>& b,
                               std::shared_ptr<cMatrix2>& ab) const {
    MatrixOut out(ab);
    return B(Call(object_.get(), L"MatrixMult", {Obj(In(a)), Obj(In(b)), RefDispatch(&out.now)}));
}
Boolean cMatrixOps::MatrixInvert(const std::shared_ptr<cMatrix2>& a, std::shared_ptr<cMatrix2>& inv) const {
    MatrixOut out(inv);
    return B(Call(object_.get(), L"MatrixInvert", {Obj(In(a)), RefDispatch(&out.now)}));
}
Boolean cMatrixOps::SimultEqns(const std::shared_ptr<cMatrix2>& c, const std::shared_ptr<cMatrix2>& v,
                               std::shared_ptr<cMatrix2>& s) const {
    MatrixOut out(s);
    return B(Call(object_.get(), L"SimultEqns", {Obj(In(c)), Obj(In(v)), RefDispatch(&out.now)}));
}

// ---- cMatrix ----

namespace {

// The component's collection object behind each Collection the client made from one.
std::map<const Collection*, Ref>& Collections() {
    static auto* map = new std::map<const Collection*, Ref>();
    return *map;
}

std::shared_ptr<Collection> ReadCollection(IDispatch* object) {
    auto c = std::make_shared<Collection>();
    const long count = AsLong(Call(object, L"Count", {}, DISPATCH_PROPERTYGET));
    for (long k = 1; k <= count; ++k) {
        VARIANT item = Call(object, L"Item", {I4(k)});
        c->Add(Variant(AsDouble(item)));
    }
    return c;
}

}  // namespace

cMatrix::cMatrix() : object_(Create(L"Tervanix.cMatrix")) {}
void cMatrix::MatrixSize(const Long& X) { Call(object_.get(), L"MatrixSize", {I4(X)}); }
void cMatrix::AddToMatrix(Long row, Long col, Double value) { Call(object_.get(), L"AddToMatrix", {I4(row), I4(col), R8(value)}); }
void cMatrix::AddToVector(Long row, Double value) { Call(object_.get(), L"AddToVector", {I4(row), R8(value)}); }
Boolean cMatrix::Calc(std::shared_ptr<Collection>& solution) const {
    IDispatch* before = nullptr;
    if (solution) {
        auto it = Collections().find(solution.get());
        if (it != Collections().end()) before = it->second.get();
    }
    IDispatch* now = before;
    if (now) now->AddRef();
    struct Back {
        IDispatch*& now;
        IDispatch* before;
        std::shared_ptr<Collection>& solution;
        ~Back() {
            if (now == before) {
                if (now) now->Release();
                return;
            }
            if (solution) Collections().erase(solution.get());
            solution = now ? ReadCollection(now) : nullptr;
            if (solution) Collections().emplace(solution.get(), Ref(now));
        }
    } back{now, before, solution};
    return B(Call(object_.get(), L"Calc", {RefDispatch(&now)}));
}
void cMatrix::HelpForProgrammer() const {
    Call(object_.get(), L"HelpForProgrammer", {});
    VARIANT texts = Call(object_.get(), L"LastMessages", {}, DISPATCH_PROPERTYGET);
    // The component's messages reach the client's message sink, as the library's would.
    const rt::MessageSink sink = rt::SetMessageSink(nullptr);
    rt::SetMessageSink(sink);
    if (texts.vt != (VT_ARRAY | VT_VARIANT)) throw std::runtime_error("LastMessages is no array");
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(texts.parray, 1, &lo);
    SafeArrayGetUBound(texts.parray, 1, &hi);
    for (LONG k = lo; k <= hi; ++k) {
        VARIANT e;
        VariantInit(&e);
        SafeArrayGetElement(texts.parray, &k, &e);
        const String s(reinterpret_cast<const char16_t*>(e.bstrVal), SysStringLen(e.bstrVal));
        VariantClear(&e);
        if (sink) sink(s);
    }
    VariantClear(&texts);
}

// ---- cInterp2 ----

cInterp2::cInterp2() : object_(Create(L"Tervanix.cInterp2")) {}
void cInterp2::SortXYPairsByX(DoubleArray& x, DoubleArray& y) const {
    Table table(x, y);
    Call(object_.get(), L"SortXYPairsByX", {table.X(), table.Y()});
}
Boolean cInterp2::Interp2D(DoubleArray& x, DoubleArray& y, const Boolean& allow, const Double& X, Double& Y) const {
    Table table(x, y);
    return B(Call(object_.get(), L"Interp2D",
                  {table.X(), table.Y(), Bool(static_cast<bool>(allow)), R8(X), Ref8(&Y)}));
}
Boolean cInterp2::Interp3D(const DoubleArray& x, const DoubleArray& y, const DoubleArray2D& z, const Boolean& allow,
                           const Double& X, const Double& Y, Double& Z) const {
    SafeArray sx(x), sy(y), sz(z);
    return B(Call(object_.get(), L"Interp3D",
                  {RefArray(sx.Address(), VT_R8), RefArray(sy.Address(), VT_R8), RefArray(sz.Address(), VT_R8),
                   Bool(static_cast<bool>(allow)), R8(X), R8(Y), Ref8(&Z)}));
}
Boolean cInterp2::Interp4D(const DoubleArray& w, const DoubleArray& x, const DoubleArray& y, const DoubleArray3D& z,
                           const Boolean& allow, const Double& W, const Double& X, const Double& Y, Double& Z) const {
    SafeArray sw(w), sx(x), sy(y), sz(z);
    return B(Call(object_.get(), L"Interp4D",
                  {RefArray(sw.Address(), VT_R8), RefArray(sx.Address(), VT_R8), RefArray(sy.Address(), VT_R8),
                   RefArray(sz.Address(), VT_R8), Bool(static_cast<bool>(allow)), R8(W), R8(X), R8(Y), Ref8(&Z)}));
}
Boolean cInterp2::Interp2D_Extrap(DoubleArray& x, DoubleArray& y, BoundaryCondition2 method, Double X, Double& Y) const {
    Table table(x, y);
    return B(Call(object_.get(), L"Interp2D_Extrap",
                  {table.X(), table.Y(), I4(method), R8(X), Ref8(&Y)}));
}

}  // namespace tervanix

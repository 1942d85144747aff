// `tervanix_com_client bench`: the cost of one call through the component, late bound
// (GetIDsOfNames and Invoke on each call, as a script host does) and early bound (the
// DISPID known beforehand, as a compiled host bound to the type library has it), for
// a call of two Doubles (cGenUtil.Min) and one with two by-reference outputs
// (cGeom.Line2D). A measurement, not a test: it asserts nothing.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>

#include "Com.h"

namespace comclient {

namespace {

double Seconds() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename F>
double NanosecondsPerCall(int n, F call) {
    for (int k = 0; k < n / 10; ++k) call();  // warm up
    const double t0 = Seconds();
    for (int k = 0; k < n; ++k) call();
    return (Seconds() - t0) * 1e9 / n;
}

}  // namespace

int Bench() {
    Ref util = Create(L"Tervanix.cGenUtil");
    Ref geom = Create(L"Tervanix.cGeom");
    const int n = 200000;
    double sink = 0;
    auto late = [&](IDispatch* object, const wchar_t* name, DISPPARAMS* p) {
        DISPID id;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
        VARIANT r;
        VariantInit(&r);
        object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, p, &r, nullptr, nullptr);
        sink += r.vt == VT_R8 ? r.dblVal : 1;
    };
    auto early = [&](IDispatch* object, DISPID id, DISPPARAMS* p) {
        VARIANT r;
        VariantInit(&r);
        object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, p, &r, nullptr, nullptr);
        sink += r.vt == VT_R8 ? r.dblVal : 1;
    };
    VARIANT minArgs[2] = {R8(2.5), R8(1.5)};
    DISPPARAMS minParams = {minArgs, nullptr, 2, 0};
    double m = 0, b = 0;
    VARIANT lineArgs[6] = {Ref8(&b), Ref8(&m), R8(6), R8(3), R8(2), R8(1)};
    DISPPARAMS lineParams = {lineArgs, nullptr, 6, 0};
    const DISPID minId = IdOf(util.get(), L"Min"), lineId = IdOf(geom.get(), L"Line2D");
    std::printf("bench Min, late bound: %.0f ns per call\n", NanosecondsPerCall(n, [&] { late(util.get(), L"Min", &minParams); }));
    std::printf("bench Min, early bound: %.0f ns per call\n", NanosecondsPerCall(n, [&] { early(util.get(), minId, &minParams); }));
    std::printf("bench Line2D, late bound: %.0f ns per call\n", NanosecondsPerCall(n, [&] { late(geom.get(), L"Line2D", &lineParams); }));
    std::printf("bench Line2D, early bound: %.0f ns per call\n", NanosecondsPerCall(n, [&] { early(geom.get(), lineId, &lineParams); }));
    std::printf("bench done (%g)\n", sink > 0 ? 1.0 : 0.0);
    return 0;
}

}  // namespace comclient

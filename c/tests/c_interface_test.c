/* The C interface: its statuses, its writes into the caller's memory, its handles
 * and its error text. The arithmetic is tested in C++; the few values here are the
 * C++ classes' own digits (hexadecimal, bit for bit) and show that the binding
 * passes every argument and result unchanged. */
#include <float.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <pthread.h>
#endif

#include <Tervanix/tervanix_c.h>

static int failures = 0;

#define CHECK(condition)                                                       \
    do {                                                                       \
        if (!(condition)) {                                                    \
            fprintf(stderr, "%s:%d: CHECK(%s) failed\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                        \
        }                                                                      \
    } while (0)

static int same_bits(double a, double b) { return memcmp(&a, &b, sizeof a) == 0; }

static int starts_with(const char* text, const char* prefix) { return strncmp(text, prefix, strlen(prefix)) == 0; }

/* One status per case: each error kind the C++ classes raise, and each failure the
 * C interface itself detects. */
static void test_statuses(void) {
    double r = 0;
    int16_t n = 0;
    int32_t length = 0;
    uint16_t units[4];
    char text[8];
    tvx_cMatrix* solver = NULL;
    tvx_cMatrix2* out = NULL;
    double one = 1;
    tvx_Array x = tvx_DoubleArray1D(&one, 1, 1);
    tvx_Array rank0 = x, rank4 = x, reversed = x, no_data = x, two_d = tvx_DoubleArray2D(&one, 1, 1, 1, 1);
    rank0.rank = 0;
    rank4.rank = 4;
    reversed.upper[0] = -1;
    no_data.data = NULL;
    CHECK(tvx_cMatrix_Create(&solver) == TVX_OK);
    CHECK(tvx_cMatrix_SetMatrixSize(solver, 2) == TVX_OK);

    struct { const char* name; tvx_status got, expected; } cases[] = {
        {"success", tvx_cGenUtil_Avg(1, 2, &r), TVX_OK},
        {"True", tvx_cGenUtil_IsEqualAbs(1, 1.25, 0.5), TVX_TRUE},
        {"False", tvx_cGenUtil_IsEqualAbs(1, 2, 0.5), TVX_FALSE},
        {"overflow", tvx_cGenUtil_IsEqualAbs(1.7e308, -1.7e308, 1), TVX_E_OVERFLOW},
        {"subscript", tvx_cMatrix_AddToMatrix(solver, 0, 1, 1.0), TVX_E_SUBSCRIPT_OUT_OF_RANGE},
        {"fault", tvx_cGenUtil_Avg(DBL_MAX, DBL_MAX, &r), TVX_E_FLOATING_POINT_FAULT},
        {"invalid argument", tvx_cGenUtil_Log10(0, &r), TVX_E_INVALID_ARGUMENT},
        {"missing object", tvx_cMatrixOps_MatrixTrans(NULL, &out), TVX_E_MISSING_OBJECT},
        {"null handle", tvx_cMatrix2_NumRows(NULL, &length), TVX_E_MISSING_OBJECT},
        {"out of memory", tvx_cMatrix_SetMatrixSize(solver, INT32_MAX), TVX_E_OUT_OF_MEMORY},
        {"null result", tvx_cGenUtil_Avg(1, 2, NULL), TVX_E_NULL_POINTER},
        {"null output", tvx_cGeom_Line2D(0, 0, 1, 1, &r, NULL), TVX_E_NULL_POINTER},
        {"null array", tvx_cInterp2_Interp2D(NULL, &x, -1, 1, &r), TVX_E_NULL_POINTER},
        {"null string", tvx_cGenUtil_BinToInt(NULL, 16, &n), TVX_E_NULL_POINTER},
        {"null handle variable", tvx_cMatrix2_Create(NULL), TVX_E_NULL_POINTER},
        {"rank 0", tvx_cInterp2_Interp2D(&rank0, &x, -1, 1, &r), TVX_E_BAD_DESCRIPTOR},
        {"rank 4", tvx_cInterp2_Interp2D(&x, &rank4, -1, 1, &r), TVX_E_BAD_DESCRIPTOR},
        {"wrong rank", tvx_cInterp2_Interp2D(&x, &two_d, -1, 1, &r), TVX_E_BAD_DESCRIPTOR},
        {"upper 2 below lower", tvx_cInterp2_Interp2D(&reversed, &x, -1, 1, &r), TVX_E_BAD_DESCRIPTOR},
        {"null data with elements", tvx_CSort_BubbleSort1DArray(&no_data), TVX_E_BAD_DESCRIPTOR},
        {"negative string length", tvx_cGenUtil_BinToInt(units, -1, &n), TVX_E_BAD_DESCRIPTOR},
        {"overlong UTF-8", tvx_cGenUtil_BinToIntUtf8("\xC0\xB0", &n), TVX_E_INVALID_UTF8},
        {"surrogate in UTF-8", tvx_cGenUtil_BinToIntUtf8("\xED\xA0\x80", &n), TVX_E_INVALID_UTF8},
        {"cut UTF-8", tvx_cGenUtil_BinToIntUtf8("0\xE2\x82", &n), TVX_E_INVALID_UTF8},
        {"short buffer", tvx_cGenUtil_IntToBin(5, units, 4, &length), TVX_E_BUFFER_TOO_SMALL},
        {"short UTF-8 buffer", tvx_cGenUtil_IntToBinUtf8(5, text, sizeof text), TVX_E_BUFFER_TOO_SMALL},
        {"empty string", tvx_cGenUtil_BinToInt(NULL, 0, &n), TVX_FALSE},
        {"empty UTF-8 string", tvx_cGenUtil_BinToIntUtf8("", &n), TVX_FALSE},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        if (cases[k].got != cases[k].expected) {
            fprintf(stderr, "status of %s: %s, expected %s (%s)\n", cases[k].name, tvx_StatusName(cases[k].got),
                    tvx_StatusName(cases[k].expected), tvx_LastErrorMessage());
            ++failures;
        }
    }
    CHECK(length == 16); /* the short buffer's answer: the length needed */
    /* MissingObject comes after the output variable received its new matrix. */
    CHECK(out != NULL && tvx_cMatrix2_Destroy(out) == TVX_OK);
    CHECK(tvx_cMatrix_Destroy(solver) == TVX_OK);
}

/* Each status has its own name, spelled as in the header; the version is the
 * project's, major.minor.patch. */
static void test_status_names_and_version(void) {
    int major = -1, minor = -1, patch = -1;
    char end = 0;
    CHECK(strcmp(tvx_StatusName(TVX_TRUE), "TVX_OK") == 0);
    CHECK(strcmp(tvx_StatusName(TVX_FALSE), "TVX_FALSE") == 0);
    CHECK(strcmp(tvx_StatusName(TVX_E_SUBSCRIPT_OUT_OF_RANGE), "TVX_E_SUBSCRIPT_OUT_OF_RANGE") == 0);
    CHECK(strcmp(tvx_StatusName(TVX_E_UNKNOWN), "TVX_E_UNKNOWN") == 0);
    CHECK(strcmp(tvx_StatusName(TVX_E_UNKNOWN - 1), "unknown status") == 0);
    CHECK(strcmp(tvx_StatusName(2), "unknown status") == 0);
    for (tvx_status s = TVX_E_UNKNOWN; s <= TVX_OK; ++s) {
        CHECK(starts_with(tvx_StatusName(s), "TVX_"));
        for (tvx_status t = s + 1; t <= TVX_OK; ++t) CHECK(strcmp(tvx_StatusName(s), tvx_StatusName(t)) != 0);
    }
    CHECK(sscanf(tvx_Version(), "%d.%d.%d%c", &major, &minor, &patch, &end) == 3 && major >= 1 && minor >= 0 &&
          patch >= 0);
#ifdef TVX_EXPECTED_VERSION
    CHECK(strcmp(tvx_Version(), TVX_EXPECTED_VERSION) == 0);
#endif
}

/* A function run on a thread of its own, through the platform's threads (not every C
 * library has C11's <threads.h>). */
struct thread_call {
    int (*function)(void);
    int result;
};

#ifdef _WIN32
static DWORD WINAPI thread_entry(LPVOID argument) {
    struct thread_call* call = argument;
    call->result = call->function();
    return 0;
}

static int run_in_thread(struct thread_call* call) {
    HANDLE thread = CreateThread(NULL, 0, thread_entry, call, 0, NULL);
    if (thread == NULL) return 0;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return 1;
}
#else
static void* thread_entry(void* argument) {
    struct thread_call* call = argument;
    call->result = call->function();
    return NULL;
}

static int run_in_thread(struct thread_call* call) {
    pthread_t thread;
    return pthread_create(&thread, NULL, thread_entry, call) == 0 && pthread_join(thread, NULL) == 0;
}
#endif

static int last_error_in_thread(void) {
    return strcmp(tvx_LastErrorMessage(), "") == 0 && tvx_cGenUtil_Log10(-1, NULL) == TVX_E_NULL_POINTER;
}

/* The text of the last failure: named by the operation for the C interface's own
 * checks, kept through successful calls, and one per thread. */
static void test_last_error(void) {
    double r;
    struct thread_call call = {last_error_in_thread, 0};
    CHECK(tvx_cGenUtil_Avg(1, 2, NULL) == TVX_E_NULL_POINTER);
    CHECK(starts_with(tvx_LastErrorMessage(), "cGenUtil.Avg: result"));
    CHECK(tvx_cGenUtil_Avg(1, 2, &r) == TVX_OK);
    CHECK(starts_with(tvx_LastErrorMessage(), "cGenUtil.Avg: result"));
    CHECK(tvx_cGenUtil_Log10(0, &r) == TVX_E_INVALID_ARGUMENT);
    CHECK(strlen(tvx_LastErrorMessage()) > 0 && !starts_with(tvx_LastErrorMessage(), "cGenUtil.Avg"));
    CHECK(run_in_thread(&call) && call.result);
    CHECK(!starts_with(tvx_LastErrorMessage(), "cGenUtil.Log10: result"));

    /* A misaligned array is refused, and the text gives the alignment it needs. */
    double two[2] = {1, 2};
    tvx_Array misaligned = tvx_DoubleArray1D(two, 1, 1);
    misaligned.data = (char*)two + 1;
    CHECK(tvx_cInterp2_Interp2D(&misaligned, &misaligned, -1, 1, &r) == TVX_E_BAD_DESCRIPTOR &&
          strstr(tvx_LastErrorMessage(), "multiple of 8 bytes") != NULL);

    /* A text longer than 1023 bytes is cut before a character that would not fit whole:
     * the invalid UTF-8 error quotes the text before the bad byte, here "00" and 600
     * two-byte characters, and byte 1023 is the first half of one of them. */
    char long_text[2 + 2 * 600 + 2] = "00";
    for (int k = 0; k < 600; ++k) memcpy(long_text + 2 + 2 * k, "\xC3\xA9", 2);
    memcpy(long_text + 2 + 2 * 600, "\xFF", 2);
    int16_t n = 0;
    CHECK(tvx_cGenUtil_BinToIntUtf8(long_text, &n) == TVX_E_INVALID_UTF8);
    const char* cut = tvx_LastErrorMessage();
    size_t length = strlen(cut);
    CHECK(length == 1022 && (unsigned char)cut[length - 1] == 0xA9);
}

/* A few results per class, as the C++ classes give them. */
static void test_known_values(void) {
    double r = 0, theta = 0, z = 0;
    double gx[] = {0, 1}, gy[] = {0, 2}, grid[] = {1, 2, 3, 5};
    tvx_Array ax = tvx_DoubleArray1D(gx, 1, 2), ay = tvx_DoubleArray1D(gy, 1, 2), az = tvx_DoubleArray2D(grid, 1, 2, 1, 2);
    char text[33];
    int16_t n = 0;
    CHECK(tvx_cGenUtil_LogDBSum(85, 82, &r) == TVX_OK && same_bits(r, 0x1.5b0eb167e18fp+6));
    CHECK(tvx_cGenUtil_Log10(1000, &r) == TVX_OK && same_bits(r, 0x1.7ffffffffffffp+1));
    CHECK(tvx_cGenUtil_IntToBinUtf8(-1234, text, sizeof text) == TVX_TRUE && strcmp(text, "1111101100101110") == 0);
    CHECK(tvx_cGenUtil_BinToIntUtf8(text, &n) == TVX_TRUE && n == -1234);
    CHECK(tvx_cGeom_PI(&r) == TVX_OK && same_bits(r, 0x1.921fb54442d11p+1));
    CHECK(tvx_cGeom_CartToPolar(1, 2, &r, &theta) == TVX_OK && same_bits(r, 0x1.1e3779b97f4a8p+1) &&
          same_bits(theta, 0x1.fb7ac672cf127p+5));
    CHECK(tvx_CInterpolation_LinearInterpolation1Way(0.1, 0.7, 0.3, &r) == TVX_OK && same_bits(r, 0x1.1eb851eb851ecp-2));
    CHECK(tvx_cInterp2_Interp3D(&ax, &ay, &az, 0, 0.3, 0.7, &z) == TVX_TRUE && same_bits(z, 0x1.070a3d70a3d71p+1));
}

/* Arrays are the caller's: sorts reorder them, also when a call ends with an error. */
static void test_arrays_in_place(void) {
    double x[] = {3, 1, 4, 2}, y[] = {0.3, 0.1, 0.4, 0.2}, r = 0;
    tvx_Array ax = tvx_DoubleArray1D(x, -1, 2), ay = tvx_DoubleArray1D(y, -1, 2);
    CHECK(tvx_CInterpolation_InterpolationOf1DArray(2.7, &ax, &ay, TVX_EXTRAPOLATE_LINEARLY, &r) == TVX_TRUE);
    CHECK(same_bits(r, 0x1.147ae147ae148p-2));
    CHECK(x[0] == 1 && x[1] == 2 && x[2] == 3 && x[3] == 4 && y[0] == 0.1 && y[3] == 0.4);

    int32_t longs[] = {5, -7, 0};
    tvx_Array along = tvx_Array1D(longs, TVX_LONG, 0, 2);
    CHECK(tvx_CSort_BubbleSort1DArray(&along) == TVX_OK && longs[0] == -7 && longs[1] == 0 && longs[2] == 5);

    /* String elements: the caller's own tvx_String values change places. */
    static const uint16_t b[] = {'b'}, a[] = {'a'}, c[] = {'c'};
    tvx_String names[] = {{b, 1}, {c, 1}, {a, 1}};
    double keys[] = {2, 3, 1};
    tvx_Array anames = tvx_Array1D(names, TVX_STRING, 1, 3), akeys = tvx_DoubleArray1D(keys, 1, 3);
    CHECK(tvx_CSort_BubbleSortXYPairsByX(&anames, &akeys) == TVX_OK);
    CHECK(names[0].units == a && names[1].units == b && names[2].units == c && keys[0] == 1 && keys[2] == 3);
    /* A bad element is named by its subscript. */
    tvx_String broken[] = {{b, 1}, {NULL, 3}};
    tvx_Array abroken = tvx_Array1D(broken, TVX_STRING, 1, 2), atwo = tvx_DoubleArray1D(keys, 1, 2);
    CHECK(tvx_CSort_BubbleSortXYPairsByX(&abroken, &atwo) == TVX_E_NULL_POINTER);
    CHECK(starts_with(tvx_LastErrorMessage(), "CSort.BubbleSortXYPairsByX: vXData(2).units is a null pointer"));

    /* The Y array ends before X: the pass stops at the first exchange it cannot
     * make, and what it had exchanged stays exchanged. */
    double sx[] = {3, 2, 1}, sy[] = {30, 20};
    tvx_Array asx = tvx_DoubleArray1D(sx, 1, 3), asy = tvx_DoubleArray1D(sy, 1, 2);
    CHECK(tvx_CSort_BubbleSortXYPairsByX(&asx, &asy) == TVX_E_SUBSCRIPT_OUT_OF_RANGE);
    CHECK(sx[0] == 2 && sx[1] == 1 && sx[2] == 3 && sy[0] == 20 && sy[1] == 30);

    /* One array passed twice is one array; two arrays in overlapping memory are refused. */
    double same[] = {2, 1};
    tvx_Array asame = tvx_DoubleArray1D(same, 1, 2), ashifted = tvx_DoubleArray1D(same + 1, 1, 1);
    CHECK(tvx_cInterp2_SortXYPairsByX(&asame, &asame) == TVX_OK && same[0] == 2 && same[1] == 1);
    CHECK(tvx_cInterp2_SortXYPairsByX(&asame, &ashifted) == TVX_E_BAD_DESCRIPTOR);
    /* An empty array overlaps nothing, wherever its pointer lies. */
    double ordered[] = {1, 2};
    tvx_Array aordered = tvx_DoubleArray1D(ordered, 1, 2), empty_inside = tvx_DoubleArray1D(ordered + 1, 1, 0);
    CHECK(tvx_cInterp2_SortXYPairsByX(&aordered, &empty_inside) == TVX_OK);

    /* An empty array needs no data. */
    tvx_Array empty = tvx_DoubleArray1D(NULL, 1, 0);
    CHECK(tvx_cInterp2_Interp2D(&empty, &empty, -1, 1, &r) == TVX_FALSE);

    /* The reason of a False is the C++ one, word for word (tests/false_reasons_test.cpp). */
    double zx[] = {1, 2}, zy[] = {10, 20};
    tvx_Array azx = tvx_DoubleArray1D(zx, 0, 1), azy = tvx_DoubleArray1D(zy, 0, 1);
    const char* why = NULL;
    CHECK(tvx_cInterp2_Interp2D(&azx, &azy, -1, 1.5, &r) == TVX_FALSE);
    CHECK(tvx_LastFalseReason(&why) == TVX_REASON_TABLE_NOT_NUMBERED_FROM_ONE);
    CHECK(strcmp(why, "cInterp2.Interp2D: XValues starts at subscript 0; Interp2D reads tables numbered from 1: "
                      "give XValues and YValues lower bound 1") == 0);
}

/* Handles: creation and release, the solver's values, and cMatrixOps writing into
 * the caller's handle variables. */
static void test_handles(void) {
    tvx_cMatrix* solver = NULL;
    double solution[2] = {0, 0};
    int32_t count = -1, rows = 0;
    CHECK(tvx_cMatrix_Create(&solver) == TVX_OK);
    CHECK(tvx_cMatrix_SetMatrixSize(solver, 2) == TVX_OK && tvx_cMatrix_MatrixSize(solver, &count) == TVX_OK && count == 2);
    CHECK(tvx_cMatrix_AddToMatrix(solver, 1, 1, 0.1) == TVX_OK && tvx_cMatrix_AddToMatrix(solver, 1, 2, 0.7) == TVX_OK);
    CHECK(tvx_cMatrix_AddToMatrix(solver, 2, 1, 0.3) == TVX_OK && tvx_cMatrix_AddToMatrix(solver, 2, 2, 0.2) == TVX_OK);
    CHECK(tvx_cMatrix_AddToVector(solver, 1, 1.0) == TVX_OK && tvx_cMatrix_AddToVector(solver, 2, 0.5) == TVX_OK);
    CHECK(tvx_cMatrix_Calc(solver, solution, 1, &count) == TVX_E_BUFFER_TOO_SMALL && count == 2);
    CHECK(tvx_cMatrix_Calc(solver, solution, 2, &count) == TVX_TRUE && count == 2);
    CHECK(same_bits(solution[0], 0x1.9435e50d79442p-1) && same_bits(solution[1], 0x1.50d79435e50d7p+0));
    CHECK(tvx_cMatrix_Destroy(solver) == TVX_OK);
    CHECK(tvx_cMatrix_Destroy(NULL) == TVX_OK && tvx_cMatrix2_Destroy(NULL) == TVX_OK);

    tvx_cMatrix2 *a = NULL, *inverse = NULL, *kept = NULL;
    double v = 0;
    CHECK(tvx_cMatrix2_Create(&a) == TVX_OK);
    CHECK(tvx_cMatrix2_SetNumRows(a, 2) == TVX_OK && tvx_cMatrix2_SetNumCols(a, 2) == TVX_OK);
    CHECK(tvx_cMatrix2_PutData(a, 1, 1, 4) == TVX_OK && tvx_cMatrix2_PutData(a, 1, 2, 7) == TVX_OK);
    CHECK(tvx_cMatrix2_PutData(a, 2, 1, 2) == TVX_OK && tvx_cMatrix2_PutData(a, 2, 2, 0.6) == TVX_OK);
    CHECK(tvx_cMatrixOps_MatrixInvert(a, &inverse) == TVX_TRUE && inverse != NULL);
    CHECK(tvx_cMatrix2_GetData(inverse, 2, 2, &v) == TVX_OK && same_bits(v, -0x1.611a7b9611a7cp-2));

    /* A variable that holds a handle keeps it, and the handle the new matrix. */
    kept = inverse;
    CHECK(tvx_cMatrixOps_MatrixTrans(a, &inverse) == TVX_TRUE && inverse == kept);
    CHECK(tvx_cMatrix2_GetData(inverse, 1, 2, &v) == TVX_OK && v == 2);

    /* The same handle as input and output is one variable: the input is the new 1 x 1 matrix. */
    CHECK(tvx_cMatrixOps_MatrixTrans(a, &a) == TVX_TRUE);
    CHECK(tvx_cMatrix2_NumRows(a, &rows) == TVX_OK && rows == 1);
    CHECK(tvx_cMatrix2_GetData(a, 1, 1, &v) == TVX_OK && v == 0);
    CHECK(tvx_cMatrix2_Destroy(a) == TVX_OK && tvx_cMatrix2_Destroy(inverse) == TVX_OK);
}

/* Each target of a batch beside the single call at that target: the outcome k is the
 * single call's status 1 - k, and a True value is the single call's, bit for bit. */
static void check_targets(const char* name, size_t n, const tvx_BatchOutcome* outcomes, const double* values,
                          const tvx_status* statuses, const double* singles) {
    for (size_t k = 0; k < n; ++k) {
        if (1 - outcomes[k] != statuses[k] || (statuses[k] == TVX_TRUE && !same_bits(values[k], singles[k]))) {
            fprintf(stderr, "%s, target %zu: outcome %d, value %a; single call %d, %a\n", name, k, outcomes[k],
                    values[k], (int)statuses[k], singles[k]);
            ++failures;
        }
    }
}

/* Batch lookups: every target as the single call gives it, the table sorted in place
 * once, and the checks of the arguments. */
static void test_batch(void) {
    enum { N = 4 };
    double values[N], singles[N];
    tvx_BatchOutcome outcomes[N];
    tvx_status statuses[N];

    /* A pair table in any order; far beyond it the extrapolation overflows. */
    double x[] = {3, 1, 2}, y[] = {40, 10, 20};
    const double at[N] = {1.5, 2.25, -0.5, DBL_MAX};
    tvx_Array ax = tvx_DoubleArray1D(x, 1, 3), ay = tvx_DoubleArray1D(y, 1, 3);
    CHECK(tvx_CInterpolation_InterpolationOf1DArrayBatch(&ax, &ay, TVX_EXTRAPOLATE_LINEARLY, at, N, values, N,
                                                         outcomes, N, 1) == TVX_OK);
    CHECK(x[0] == 1 && x[1] == 2 && x[2] == 3 && y[0] == 10 && y[2] == 40);
    CHECK(outcomes[3] == TVX_BATCH_FLOATING_POINT_FAULT);
    for (size_t k = 0; k < N; ++k) {
        statuses[k] = tvx_CInterpolation_InterpolationOf1DArray(at[k], &ax, &ay, TVX_EXTRAPOLATE_LINEARLY, &singles[k]);
    }
    check_targets("InterpolationOf1DArrayBatch", N, outcomes, values, statuses, singles);

    CHECK(tvx_cInterp2_Interp2DBatch(&ax, &ay, 0, at, N, values, N, outcomes, N, 0) == TVX_OK);
    for (size_t k = 0; k < N; ++k) statuses[k] = tvx_cInterp2_Interp2D(&ax, &ay, 0, at[k], &singles[k]);
    check_targets("Interp2DBatch", N, outcomes, values, statuses, singles);

    double gx[] = {0, 1}, gy[] = {0, 2}, grid[] = {1, 2, 3, 5}, cube[] = {1, 2, 3, 5, 7, 11, 13, 17};
    tvx_Array agx = tvx_DoubleArray1D(gx, 1, 2), agy = tvx_DoubleArray1D(gy, 1, 2);
    tvx_Array agrid = tvx_DoubleArray2D(grid, 1, 2, 1, 2), acube = tvx_DoubleArray3D(cube, 1, 2, 1, 2, 1, 2);
    const double px[N] = {0.3, 0.9, 2, 0.5}, py[N] = {0.7, 1.5, 1, 0.1}, pz[N] = {0.25, 0.5, 0.75, -1};
    CHECK(tvx_cInterp2_Interp3DBatch(&agx, &agy, &agrid, 0, px, N, py, N, values, N, outcomes, N, 1) == TVX_OK);
    for (size_t k = 0; k < N; ++k) statuses[k] = tvx_cInterp2_Interp3D(&agx, &agy, &agrid, 0, px[k], py[k], &singles[k]);
    check_targets("Interp3DBatch", N, outcomes, values, statuses, singles);

    CHECK(tvx_cInterp2_Interp4DBatch(&agx, &agx, &agy, &acube, -1, px, N, pz, N, py, N, values, N, outcomes, N, 1) ==
          TVX_OK);
    for (size_t k = 0; k < N; ++k) {
        statuses[k] = tvx_cInterp2_Interp4D(&agx, &agx, &agy, &acube, -1, px[k], pz[k], py[k], &singles[k]);
    }
    check_targets("Interp4DBatch", N, outcomes, values, statuses, singles);

    /* Counts that differ end the call before any work, with the C++ message. */
    double ux[] = {2, 1}, uy[] = {20, 10};
    tvx_Array aux = tvx_DoubleArray1D(ux, 1, 2), auy = tvx_DoubleArray1D(uy, 1, 2);
    CHECK(tvx_cInterp2_Interp2DBatch(&aux, &auy, 0, at, 2, values, 2, outcomes, 1, 1) == TVX_E_INVALID_ARGUMENT);
    CHECK(strstr(tvx_LastErrorMessage(), "spans differ in length") != NULL && ux[0] == 2);
    /* No targets: null pointers are fine, and nothing is done. */
    CHECK(tvx_cInterp2_Interp2DBatch(&aux, &auy, 0, NULL, 0, NULL, 0, NULL, 0, 1) == TVX_OK && ux[0] == 2);
    CHECK(tvx_cInterp2_Interp2DBatch(&aux, &auy, 0, NULL, 2, values, 2, outcomes, 2, 1) == TVX_E_NULL_POINTER);
    CHECK(starts_with(tvx_LastErrorMessage(), "cInterp2.Interp2DBatch: targets"));
    CHECK(tvx_cInterp2_Interp3DBatch(&agx, &agy, &agrid, 0, px, 2, py, 2, grid, 2, outcomes, 2, 1) ==
          TVX_E_BAD_DESCRIPTOR);
}

static int shown = 0;
static size_t shown_length = 0;

static void count_message(const uint16_t* text, int32_t length, const char* utf8, void* context) {
    (void)text;
    ++*(int*)context;
    shown_length += (size_t)length;
    CHECK(strlen(utf8) >= (size_t)length);
}

/* The message box goes to the host's sink. */
static void test_message_sink(void) {
    tvx_cMatrix* solver = NULL;
    CHECK(tvx_SetMessageSink(count_message, &shown) == TVX_OK);
    CHECK(tvx_cMatrix_Create(&solver) == TVX_OK);
    CHECK(tvx_cMatrix_HelpForProgrammer(solver) == TVX_OK);
    CHECK(shown == 4 && shown_length > 0);
    CHECK(tvx_SetMessageSink(NULL, NULL) == TVX_OK);
    CHECK(tvx_cMatrix_Destroy(solver) == TVX_OK);
}

int main(void) {
    test_statuses();
    test_status_names_and_version();
    test_last_error();
    test_known_values();
    test_arrays_in_place();
    test_handles();
    test_batch();
    test_message_sink();
    if (failures != 0) {
        printf("%d checks failed\n", failures);
        return 1;
    }
    printf("all checks passed\n");
    return 0;
}

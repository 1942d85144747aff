/* Tervanix for C: every operation of the eight classes as a C function, with the
 * same digits as the C++ classes. Conventions (names, status codes, arrays, strings,
 * ownership, threads) are in docs/c.md; in short:
 *
 *   tvx_<Class>_<Method>       an operation; tvx_<Class>_Set<Property> sets a property
 *   return value               a tvx_status: TVX_OK/TVX_TRUE (1), TVX_FALSE (0) or a
 *                              negative TVX_E_* code; tvx_LastErrorMessage() says why
 *   a method's result          written through its last argument, only on success
 *   arrays                     tvx_Array descriptors over the caller's own memory
 *   strings                    16-bit code units and a length; UTF-8 where marked
 */
#ifndef TERVANIX_C_H
#define TERVANIX_C_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(TVX_BUILDING_C)
#define TVX_API __declspec(dllexport)
#else
#define TVX_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define TVX_API __attribute__((visibility("default")))
#else
#define TVX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status codes ------------------------------------------------------------ */

typedef int32_t tvx_status;

enum {
    TVX_OK = 1,     /* the call succeeded */
    TVX_TRUE = 1,   /* the method's Boolean result is True */
    TVX_FALSE = 0,  /* the method's Boolean result is False: not an error */

    /* The library's error kinds. */
    TVX_E_OVERFLOW = -1,
    TVX_E_SUBSCRIPT_OUT_OF_RANGE = -2,
    TVX_E_FLOATING_POINT_FAULT = -3,
    TVX_E_INVALID_ARGUMENT = -4,
    TVX_E_TYPE_MISMATCH = -5,
    TVX_E_MISSING_OBJECT = -6, /* also a null handle */
    TVX_E_OUT_OF_MEMORY = -7,

    /* What the C interface itself checks. */
    TVX_E_NULL_POINTER = -8,     /* a null pointer where an array, string or output is required */
    TVX_E_BAD_DESCRIPTOR = -9,   /* a tvx_Array or string that cannot describe what is needed */
    TVX_E_INVALID_UTF8 = -10,    /* UTF-8 text that is not valid UTF-8 */
    TVX_E_BUFFER_TOO_SMALL = -11, /* an output buffer shorter than the result */
    TVX_E_UNKNOWN = -12          /* any other failure */
};

/* The text of the last failure (negative status) on the calling thread, as UTF-8;
 * "" before the first. A successful call leaves it as it was. The text stays valid
 * until the next failure on the same thread. */
TVX_API const char* tvx_LastErrorMessage(void);

/* The status's name as this header spells it: "TVX_OK" for 1 (TVX_TRUE is the same
 * number), "TVX_FALSE", "TVX_E_OVERFLOW" ... "TVX_E_UNKNOWN"; "unknown status" for a
 * number that is none of them. The text is static. */
TVX_API const char* tvx_StatusName(tvx_status status);

/* The library's version, "major.minor.patch" (the project's version, as
 * TERVANIX_VERSION_STRING of <Tervanix/Version.h> and the pkg-config files give it):
 * the version of the library the program runs with, which may be newer than the one
 * it was compiled against. The text is static. */
TVX_API const char* tvx_Version(void);

/* ---- Why False ------------------------------------------------------------------ */

/* The rule that made a call return TVX_FALSE; the numbers of the C++ FalseReason. */
typedef int32_t tvx_FalseReason;
enum {
    TVX_REASON_NONE = 0,                        /* no call on this thread has returned False */
    TVX_REASON_TABLE_NOT_NUMBERED_FROM_ONE = 1, /* a table or grid array whose lower bound is not 1 */
    TVX_REASON_TABLE_SIZES_DIFFER = 2,          /* the arrays of a table do not have matching upper bounds */
    TVX_REASON_TABLE_TOO_SHORT = 3,             /* a table or grid of fewer than 2 points */
    TVX_REASON_REPEATED_X = 4,                  /* two X values of a pair table are equal */
    TVX_REASON_NOT_ASCENDING = 5,               /* a grid that does not rise strictly, a 1-D table that falls */
    TVX_REASON_TARGET_OUTSIDE_TABLE = 6,        /* a target beyond the ends, extrapolation not allowed */
    TVX_REASON_END_X_VALUES_EQUAL = 7,          /* the end interval to extrapolate along has two equal X */
    TVX_REASON_VALUE_OUTSIDE_RANGE = 8,         /* InterpolationRatio's value outside the two ends */
    TVX_REASON_RANGE_WITHOUT_WIDTH = 9,         /* InterpolationRatio's two ends are equal */
    TVX_REASON_VERTICAL_LINE = 10,              /* two points with the same x: no slope */
    TVX_REASON_NOT_A_NUMBER = 11,               /* a NaN argument where the rule compares values */
    TVX_REASON_NOT_BINARY_TEXT = 12,            /* not exactly 16 or 32 characters "0" and "1" */
    TVX_REASON_PARALLEL_PLANES = 13,            /* two planes that do not meet in a line */
    TVX_REASON_NO_SINGLE_POINT = 14,            /* three planes that do not meet in one point */
    TVX_REASON_NOT_SQUARE = 15,                 /* a matrix to invert that is not square */
    TVX_REASON_ZERO_ROW = 16,                   /* a matrix to invert with a row of zeros */
    TVX_REASON_ZERO_COLUMN = 17,                /* a matrix to invert with a column of zeros */
    TVX_REASON_PROPORTIONAL_ROWS = 18,          /* a matrix to invert with one row a multiple of another */
    TVX_REASON_SIZES_DO_NOT_MATCH = 19,         /* a product whose left NumCols differs from the right NumRows */
    TVX_REASON_NO_ROW_ORDER = 20,               /* no order of the equations avoids a zero on the diagonal */
    TVX_REASON_DEPENDENT_EQUATIONS = 21         /* a zero on the diagonal after elimination */
};

/* Why the last call on the calling thread that returned TVX_FALSE did so: its
 * TVX_REASON_* code, and in *text (when text is not NULL) the UTF-8 text naming the
 * rule, the arguments and their values, and what would give a result, the same
 * words as the C++ LastFalseReason(). A call that returns TVX_TRUE leaves it as it
 * was. The text stays valid until the next call of this function on the thread.
 * The batch functions give no reason per target (their arguments are fixed): look
 * up a target whose outcome is TVX_BATCH_RETURNED_FALSE with the single call. */
TVX_API tvx_FalseReason tvx_LastFalseReason(const char** text);

/* ---- Values ------------------------------------------------------------------- */

/* A Boolean as the library holds it: True is -1, False is 0; any non-zero value
 * received counts as True. */
typedef int16_t tvx_Boolean;

/* Element types of a tvx_Array. Arrays of the numeric classes are TVX_DOUBLE; the
 * sorts of CSort also take TVX_LONG and TVX_STRING. */
enum { TVX_DOUBLE = 0, TVX_LONG = 1, TVX_STRING = 2 };

/* A string: `length` 16-bit code units from `units` (no terminator needed). */
typedef struct tvx_String {
    const uint16_t* units;
    int32_t length;
} tvx_String;

/* An array in the caller's memory: `data` points to its first element (double,
 * int32_t or tvx_String by `type`), the elements lie one after the other with the
 * last subscript varying fastest, and dimension d (0 to rank - 1) runs from
 * lower[d] to upper[d]; upper[d] = lower[d] - 1 is an empty dimension. Entries
 * beyond `rank` are ignored. `data` may be null when there are no elements. */
typedef struct tvx_Array {
    void* data;
    int32_t type;
    int32_t rank;
    int32_t lower[3];
    int32_t upper[3];
} tvx_Array;

static inline tvx_Array tvx_Array1D(void* data, int32_t type, int32_t lower, int32_t upper) {
    tvx_Array a = {0, 0, 1, {0, 0, 0}, {0, 0, 0}};
    a.data = data;
    a.type = type;
    a.lower[0] = lower;
    a.upper[0] = upper;
    return a;
}

static inline tvx_Array tvx_DoubleArray1D(double* data, int32_t lower, int32_t upper) {
    return tvx_Array1D(data, TVX_DOUBLE, lower, upper);
}

static inline tvx_Array tvx_DoubleArray2D(double* data, int32_t lower1, int32_t upper1, int32_t lower2,
                                          int32_t upper2) {
    tvx_Array a = tvx_Array1D(data, TVX_DOUBLE, lower1, upper1);
    a.rank = 2;
    a.lower[1] = lower2;
    a.upper[1] = upper2;
    return a;
}

static inline tvx_Array tvx_DoubleArray3D(double* data, int32_t lower1, int32_t upper1, int32_t lower2,
                                          int32_t upper2, int32_t lower3, int32_t upper3) {
    tvx_Array a = tvx_DoubleArray2D(data, lower1, upper1, lower2, upper2);
    a.rank = 3;
    a.lower[2] = lower3;
    a.upper[2] = upper3;
    return a;
}

/* What a one-dimensional table lookup does beyond the table's ends. */
enum { TVX_NO_EXTRAPOLATION = 0, TVX_EXTRAPOLATE_LINEARLY = 1, TVX_EXTRAPOLATE_FIXEDENDPT = 2 };
/* What cInterp2's Interp2D_Extrap does with an X outside the table. */
enum { TVX_EXTRAP_NO = 0, TVX_EXTRAP_LINEARLY = 1, TVX_EXTRAP_FIXEDENDPT = 2 };

/* ---- The message box ---------------------------------------------------------- */

/* Receives a message-box text as `length` UTF-16 code units and as NUL-terminated
 * UTF-8; returns when the message has been seen. It must not unwind (longjmp or
 * throw) out of the library. */
typedef void (*tvx_MessageSink)(const uint16_t* text, int32_t length, const char* utf8, void* context);

/* Points the message box at `sink` (called with `context`); NULL restores the
 * standard error stream. Set it before calls that show messages, not during them. */
TVX_API tvx_status tvx_SetMessageSink(tvx_MessageSink sink, void* context);

/* ---- CInterpolation ----------------------------------------------------------- */

TVX_API tvx_status tvx_CInterpolation_BoundedBy(double dCheckVal, double dLowerBound, double dUpperBound);
TVX_API tvx_status tvx_CInterpolation_LinearInterpolation1Way(double dXIdx1, double dXIdx2, double dXFraction,
                                                              double* result);
TVX_API tvx_status tvx_CInterpolation_LinearInterpolation2Way(double dXIdx11, double dXIdx12, double dXIdx21,
                                                              double dXIdx22, double dXFraction,
                                                              double dYFraction, double* result);
TVX_API tvx_status tvx_CInterpolation_LinearInterpolation3Way(
    double dXIdx111, double dXIdx121, double dXIdx211, double dXIdx221, double dXIdx112, double dXIdx122,
    double dXIdx212, double dXIdx222, double dXFraction, double dYFraction, double dZFraction, double* result);
TVX_API tvx_status tvx_CInterpolation_LinearInterpolation4Way(
    double dX1111, double dX1211, double dX2111, double dX2211, double dX1121, double dX1221, double dX2121,
    double dX2221, double dX1112, double dX1212, double dX2112, double dX2212, double dX1122, double dX1222,
    double dX2122, double dX2222, double dXFraction, double dYFraction, double dZFraction, double dAFraction,
    double* result);
TVX_API tvx_status tvx_CInterpolation_InterpolationRatio(double dIndex1, double dIndex2, double dValue,
                                                         double* dInterpFrac);
TVX_API tvx_status tvx_CInterpolation_LinearExtrapolation1Way(double dX1, double dY1, double dX2, double dY2,
                                                              double dX3, double* dY3);
TVX_API tvx_status tvx_CInterpolation_LinearExtrapolation2Way(double dX11, double dY11, double dX12, double dY12,
                                                              double dZ1, double dX21, double dY21, double dX22,
                                                              double dY22, double dZ2, double dX3, double dZ3,
                                                              double* dY3);
/* Sorts the caller's two arrays in place, then looks the target up. */
TVX_API tvx_status tvx_CInterpolation_InterpolationOf1DArray(double dXTarget, tvx_Array* dXArray,
                                                             tvx_Array* dYArray, int32_t eExtrapolationType,
                                                             double* dYResult);
TVX_API tvx_status tvx_CInterpolation_InterpolationIndices(double dXTarget, const tvx_Array* dXArray,
                                                           int32_t eExtrapolationType, int16_t* nXIndex1,
                                                           int16_t* nXIndex2, double* dInterpFraction,
                                                           tvx_Boolean* bExtrapolationNeeded);

/* ---- CSort: arrays of TVX_DOUBLE, TVX_LONG or TVX_STRING, reordered in place --- */

TVX_API tvx_status tvx_CSort_BubbleSortXYPairsByX(tvx_Array* vXData, tvx_Array* vYData);
TVX_API tvx_status tvx_CSort_BubbleSort1DArray(tvx_Array* vXData);

/* ---- cGenUtil ----------------------------------------------------------------- */

TVX_API tvx_status tvx_cGenUtil_Min(double X, double Y, double* result);
TVX_API tvx_status tvx_cGenUtil_Max(double X, double Y, double* result);
TVX_API tvx_status tvx_cGenUtil_Avg(double X, double Y, double* result);
TVX_API tvx_status tvx_cGenUtil_Log10(double X, double* result);
TVX_API tvx_status tvx_cGenUtil_Log10Sum(double X, double Y, double* result);
TVX_API tvx_status tvx_cGenUtil_LogDBSum(double X, double Y, double* result);
TVX_API tvx_status tvx_cGenUtil_IsEqualAbs(double X, double Y, double tol);
TVX_API tvx_status tvx_cGenUtil_IsEqualRel(double X, double Y, double tol);
/* The binary text into sBin[0 .. capacity - 1] and its length into *length (16 or
 * 32); TVX_E_BUFFER_TOO_SMALL, with *length the length needed, when it does not fit. */
TVX_API tvx_status tvx_cGenUtil_IntToBin(int16_t nInt, uint16_t* sBin, int32_t capacity, int32_t* length);
TVX_API tvx_status tvx_cGenUtil_BinToInt(const uint16_t* sBin, int32_t length, int16_t* nInt);
TVX_API tvx_status tvx_cGenUtil_LongToBin(int32_t lngLong, uint16_t* sBin, int32_t capacity, int32_t* length);
TVX_API tvx_status tvx_cGenUtil_BinToLong(const uint16_t* sBin, int32_t length, int32_t* lngLong);
/* The same with NUL-terminated UTF-8 text; capacity counts the terminator. */
TVX_API tvx_status tvx_cGenUtil_IntToBinUtf8(int16_t nInt, char* sBin, size_t capacity);
TVX_API tvx_status tvx_cGenUtil_BinToIntUtf8(const char* sBin, int16_t* nInt);
TVX_API tvx_status tvx_cGenUtil_LongToBinUtf8(int32_t lngLong, char* sBin, size_t capacity);
TVX_API tvx_status tvx_cGenUtil_BinToLongUtf8(const char* sBin, int32_t* lngLong);

/* ---- cGeom -------------------------------------------------------------------- */

TVX_API tvx_status tvx_cGeom_PI(double* result);
TVX_API tvx_status tvx_cGeom_Distance2D(double x1, double y1, double x2, double y2, double* result);
TVX_API tvx_status tvx_cGeom_Distance3D(double x1, double y1, double z1, double x2, double y2, double z2,
                                        double* result);
TVX_API tvx_status tvx_cGeom_Line2D(double x1, double y1, double x2, double y2, double* m, double* B);
TVX_API tvx_status tvx_cGeom_VectorAdd(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k,
                                       double* v3i, double* v3j, double* v3k);
TVX_API tvx_status tvx_cGeom_DotProduct(double v1i, double v1j, double v1k, double v2i, double v2j, double v2k,
                                        double* result);
TVX_API tvx_status tvx_cGeom_CrossProduct(double v1i, double v1j, double v1k, double v2i, double v2j,
                                          double v2k, double* v3i, double* v3j, double* v3k);
TVX_API tvx_status tvx_cGeom_PlaneCoeffsFrom3Pts(double x1, double y1, double z1, double x2, double y2,
                                                 double z2, double x3, double y3, double z3, double* A,
                                                 double* B, double* c, double* d);
TVX_API tvx_status tvx_cGeom_SurfNormFrom3Pts(double x1, double y1, double z1, double x2, double y2, double z2,
                                              double x3, double y3, double z3, double* A, double* B,
                                              double* c);
TVX_API tvx_status tvx_cGeom_Intersect2Planes(double a1, double b1, double c1, double d1, double a2, double b2,
                                              double c2, double d2, double* v3i, double* v3j, double* v3k,
                                              double* v4i, double* v4j, double* v4k);
TVX_API tvx_status tvx_cGeom_Intersect3Planes(double a1, double b1, double c1, double d1, double a2, double b2,
                                              double c2, double d2, double a3, double b3, double c3, double d3,
                                              double* X, double* Y, double* Z);
TVX_API tvx_status tvx_cGeom_CartToPolar(double X, double Y, double* r, double* theta);
TVX_API tvx_status tvx_cGeom_PolarToCart(double r, double theta, double* X, double* Y);
TVX_API tvx_status tvx_cGeom_DegToRad(double deg, double* result);
TVX_API tvx_status tvx_cGeom_RadToDeg(double rad, double* result);
TVX_API tvx_status tvx_cGeom_InLine2D(double x1, double y1, double x2, double y2, double x3, double y3,
                                      double tol);

/* ---- cMatrix: a handle owns one solver ----------------------------------------- */

typedef struct tvx_cMatrix tvx_cMatrix;

TVX_API tvx_status tvx_cMatrix_Create(tvx_cMatrix** matrix);
TVX_API tvx_status tvx_cMatrix_Destroy(tvx_cMatrix* matrix); /* NULL: does nothing */
TVX_API tvx_status tvx_cMatrix_SetMatrixSize(tvx_cMatrix* matrix, int32_t X);
/* The size last given to SetMatrixSize, also when it was refused (0 before the first):
 * the number of values Calc delivers, so the capacity its Solution buffer needs. */
TVX_API tvx_status tvx_cMatrix_MatrixSize(const tvx_cMatrix* matrix, int32_t* result);
TVX_API tvx_status tvx_cMatrix_AddToMatrix(tvx_cMatrix* matrix, int32_t row, int32_t col, double value);
TVX_API tvx_status tvx_cMatrix_AddToVector(tvx_cMatrix* matrix, int32_t row, double value);
/* The unknowns into Solution[0 .. *count - 1]: TVX_TRUE with *count = N, or TVX_FALSE
 * with *count = 0. TVX_E_BUFFER_TOO_SMALL, with *count = N, when capacity < N. */
TVX_API tvx_status tvx_cMatrix_Calc(const tvx_cMatrix* matrix, double* Solution, int32_t capacity,
                                    int32_t* count);
TVX_API tvx_status tvx_cMatrix_HelpForProgrammer(const tvx_cMatrix* matrix);

/* ---- cMatrix2: a handle is an object variable holding one matrix ----------------- */

typedef struct tvx_cMatrix2 tvx_cMatrix2;

TVX_API tvx_status tvx_cMatrix2_Create(tvx_cMatrix2** matrix);
TVX_API tvx_status tvx_cMatrix2_Destroy(tvx_cMatrix2* matrix); /* NULL: does nothing */
TVX_API tvx_status tvx_cMatrix2_NumRows(const tvx_cMatrix2* matrix, int32_t* result);
TVX_API tvx_status tvx_cMatrix2_SetNumRows(tvx_cMatrix2* matrix, int32_t i);
TVX_API tvx_status tvx_cMatrix2_NumCols(const tvx_cMatrix2* matrix, int32_t* result);
TVX_API tvx_status tvx_cMatrix2_SetNumCols(tvx_cMatrix2* matrix, int32_t i);
TVX_API tvx_status tvx_cMatrix2_PutData(tvx_cMatrix2* matrix, int32_t row, int32_t col, double value);
TVX_API tvx_status tvx_cMatrix2_GetData(const tvx_cMatrix2* matrix, int32_t row, int32_t col, double* result);

/* ---- cMatrixOps: inputs are handles (NULL refers to no matrix: TVX_E_MISSING_OBJECT),
 * the output is the caller's handle variable. A NULL variable receives a new handle;
 * a variable holding a handle keeps it, and the handle then holds the new matrix.
 * The same handle as input and output is one variable, as in the C++ classes. ---- */

TVX_API tvx_status tvx_cMatrixOps_MatrixTrans(const tvx_cMatrix2* Original, tvx_cMatrix2** Transposed);
TVX_API tvx_status tvx_cMatrixOps_MatrixMult(const tvx_cMatrix2* A, const tvx_cMatrix2* B, tvx_cMatrix2** AB);
TVX_API tvx_status tvx_cMatrixOps_MatrixInvert(const tvx_cMatrix2* Original, tvx_cMatrix2** Inverted);
TVX_API tvx_status tvx_cMatrixOps_SimultEqns(const tvx_cMatrix2* Coeffs, const tvx_cMatrix2* Vector,
                                             tvx_cMatrix2** Solution);

/* ---- cInterp2 ----------------------------------------------------------------- */

TVX_API tvx_status tvx_cInterp2_SortXYPairsByX(tvx_Array* XValues, tvx_Array* YValues);
TVX_API tvx_status tvx_cInterp2_Interp2D(tvx_Array* XValues, tvx_Array* YValues, tvx_Boolean bAllowExtrap,
                                         double X, double* Y);
TVX_API tvx_status tvx_cInterp2_Interp3D(const tvx_Array* XValues, const tvx_Array* YValues,
                                         const tvx_Array* ZValues, tvx_Boolean bAllowExtrap, double X, double Y,
                                         double* Z);
TVX_API tvx_status tvx_cInterp2_Interp4D(const tvx_Array* WValues, const tvx_Array* XValues,
                                         const tvx_Array* YValues, const tvx_Array* ZValues,
                                         tvx_Boolean bAllowExtrap, double W, double X, double Y, double* Z);
TVX_API tvx_status tvx_cInterp2_Interp2D_Extrap(tvx_Array* XValues, tvx_Array* YValues, int32_t ExtrapMethod,
                                                double X, double* Y);

/* ---- Batch lookups: one table, many targets ----------------------------------------
 * Each looks up every target as the single call named would on the same table, and
 * gives each target a value and an outcome. The table is prepared once (the 1-D and
 * pair tables sorted in place, as by the first single call); targets, results and
 * outcomes are the caller's pointers with their counts, which must be equal
 * (TVX_E_INVALID_ARGUMENT before any work otherwise) and lie outside the tables. The
 * results and outcomes lie apart from each other and from the targets, except that
 * the results may be a targets array itself (TVX_E_INVALID_ARGUMENT otherwise). A
 * null pointer is allowed with a count of 0; no targets: nothing is done. TVX_OK once
 * every target has its outcome; a negative status for an error of the table itself,
 * no outcome written then. threads: 1 looks the targets up on the calling thread, 0
 * shares them among every core, n among n threads, with the same results. */

/* What the single call gave one target: outcome k is the status 1 - k that the single
 * call returns (TVX_TRUE, TVX_FALSE, then TVX_E_OVERFLOW to TVX_E_OUT_OF_MEMORY). */
typedef int8_t tvx_BatchOutcome;
enum {
    TVX_BATCH_RETURNED_TRUE = 0,  /* the result holds the value */
    TVX_BATCH_RETURNED_FALSE = 1, /* False: the result keeps what it held */
    /* The error the single call raises for this target; the result is then as the single
     * call leaves its output (for a fault in the last step, the faulting value). */
    TVX_BATCH_OVERFLOW_ERROR = 2,
    TVX_BATCH_SUBSCRIPT_OUT_OF_RANGE = 3,
    TVX_BATCH_FLOATING_POINT_FAULT = 4,
    TVX_BATCH_INVALID_ARGUMENT = 5,
    TVX_BATCH_TYPE_MISMATCH = 6,
    TVX_BATCH_MISSING_OBJECT = 7,
    TVX_BATCH_OUT_OF_MEMORY = 8
};

/* tvx_CInterpolation_InterpolationOf1DArray at each of targets[0 .. targetsCount - 1]. */
TVX_API tvx_status tvx_CInterpolation_InterpolationOf1DArrayBatch(
    tvx_Array* dXArray, tvx_Array* dYArray, int32_t eExtrapolationType, const double* targets, size_t targetsCount,
    double* results, size_t resultsCount, tvx_BatchOutcome* outcomes, size_t outcomesCount, uint32_t threads);
/* tvx_cInterp2_Interp2D at each of targets[0 .. targetsCount - 1]. */
TVX_API tvx_status tvx_cInterp2_Interp2DBatch(tvx_Array* XValues, tvx_Array* YValues, tvx_Boolean bAllowExtrap,
                                              const double* targets, size_t targetsCount, double* Y, size_t YCount,
                                              tvx_BatchOutcome* outcomes, size_t outcomesCount, uint32_t threads);
/* tvx_cInterp2_Interp3D at each point (X[i], Y[i]). */
TVX_API tvx_status tvx_cInterp2_Interp3DBatch(const tvx_Array* XValues, const tvx_Array* YValues,
                                              const tvx_Array* ZValues, tvx_Boolean bAllowExtrap, const double* X,
                                              size_t XCount, const double* Y, size_t YCount, double* Z,
                                              size_t ZCount, tvx_BatchOutcome* outcomes, size_t outcomesCount,
                                              uint32_t threads);
/* tvx_cInterp2_Interp4D at each point (W[i], X[i], Y[i]). */
TVX_API tvx_status tvx_cInterp2_Interp4DBatch(const tvx_Array* WValues, const tvx_Array* XValues,
                                              const tvx_Array* YValues, const tvx_Array* ZValues,
                                              tvx_Boolean bAllowExtrap, const double* W, size_t WCount,
                                              const double* X, size_t XCount, const double* Y, size_t YCount,
                                              double* Z, size_t ZCount, tvx_BatchOutcome* outcomes,
                                              size_t outcomesCount, uint32_t threads);

#ifdef __cplusplus
}
#endif

#endif /* TERVANIX_C_H */

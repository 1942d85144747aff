/* The C interface's contract beyond its statuses: what each output pointer holds
 * after TVX_FALSE and after an error (as in C++, or untouched where the method's
 * result is written only on success), a null pointer in every output position,
 * every handle function given a null handle, tvx_Boolean as any non-zero value,
 * the sizes and counts the handles report, and the batch functions' rules on
 * counts and memory. Each value is set to a sentinel first, so "untouched" is seen. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <Tervanix/tervanix_c.h>

static int failures = 0;
static int checks = 0;

#define CHECK(condition)                                                                  \
    do {                                                                                  \
        ++checks;                                                                         \
        if (!(condition)) {                                                               \
            fprintf(stderr, "%s:%d: CHECK(%s) failed\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                                   \
        }                                                                                 \
    } while (0)

#define SENTINEL (-7.25)

static int same_bits(double a, double b) { return memcmp(&a, &b, sizeof a) == 0; }

static int starts_with(const char* text, const char* prefix) { return strncmp(text, prefix, strlen(prefix)) == 0; }

/* The method's result (its last argument) is written only on success. */
static void test_results_only_on_success(void) {
    double r;
    struct {
        const char* name;
        tvx_status status;
        double r;
    } cases[4];
    size_t k = 0;
    r = SENTINEL;
    cases[k].status = tvx_cGenUtil_Avg(1e308, 1e308, &r), cases[k].r = r, cases[k++].name = "Avg";
    r = SENTINEL;
    cases[k].status = tvx_cGenUtil_Log10(-1, &r), cases[k].r = r, cases[k++].name = "Log10";
    r = SENTINEL;
    cases[k].status = tvx_cGeom_DegToRad(1e308, &r), cases[k].r = r, cases[k++].name = "DegToRad";
    r = SENTINEL;
    cases[k].status = tvx_CInterpolation_LinearInterpolation1Way(-1e308, 1e308, 0.5, &r), cases[k].r = r,
    cases[k++].name = "LinearInterpolation1Way";
    for (k = 0; k < 4; ++k) {
        if (cases[k].status >= 0 || !same_bits(cases[k].r, SENTINEL)) {
            fprintf(stderr, "%s: status %d, result %a\n", cases[k].name, (int)cases[k].status, cases[k].r);
            ++failures;
        }
    }
}

/* Outputs passed by reference in C++ are written at the moment the method writes
 * them: after an error they hold what the C++ method had written. */
static void test_outputs_as_cpp_writes_them(void) {
    double m = SENTINEL, B = SENTINEL, x = SENTINEL, y = SENTINEL, z = SENTINEL, r = SENTINEL, theta = SENTINEL;
    int16_t n = 1234;
    int32_t l = -99;

    /* Line2D: False writes nothing; the intercept's fault leaves the slope written. */
    CHECK(tvx_cGeom_Line2D(1, 2, 1, 6, &m, &B) == TVX_FALSE && m == SENTINEL && B == SENTINEL);
    CHECK(tvx_cGeom_Line2D(1e300, 0, 5e299, 1e308, &m, &B) == TVX_E_FLOATING_POINT_FAULT);
    CHECK(m == -2e8 && isinf(B) && B > 0);

    /* VectorAdd: the components before the fault, the faulting one, the rest untouched. */
    CHECK(tvx_cGeom_VectorAdd(1, 1e308, 1, 2, 1e308, 3, &x, &y, &z) == TVX_E_FLOATING_POINT_FAULT);
    CHECK(x == 3 && isinf(y) && z == SENTINEL);

    /* CartToPolar: a NaN coordinate writes r and leaves theta. */
    CHECK(tvx_cGeom_CartToPolar(NAN, 1, &r, &theta) == TVX_OK && isnan(r) && theta == SENTINEL);
    r = SENTINEL;
    CHECK(tvx_cGeom_CartToPolar(1e-160, 1e150, &r, &theta) == TVX_E_FLOATING_POINT_FAULT);
    CHECK(r == 1e150 && theta == SENTINEL);

    /* InterpolationRatio: 0 outside the ends, untouched for equal ends. */
    x = SENTINEL;
    CHECK(tvx_CInterpolation_InterpolationRatio(10, 10, 10, &x) == TVX_FALSE && x == SENTINEL);
    CHECK(tvx_CInterpolation_InterpolationRatio(10, 20, 25, &x) == TVX_FALSE && x == 0);

    /* LinearExtrapolation1Way: the final value's fault is written. */
    y = SENTINEL;
    CHECK(tvx_CInterpolation_LinearExtrapolation1Way(0, 0, 1, 1e300, 1e10, &y) == TVX_E_FLOATING_POINT_FAULT);
    CHECK(isinf(y));

    /* Binary text: False leaves the number. */
    CHECK(tvx_cGenUtil_BinToIntUtf8("0101", &n) == TVX_FALSE && n == 1234);
    CHECK(tvx_cGenUtil_BinToLongUtf8("1111111111111111", &l) == TVX_FALSE && l == -99);
    CHECK(tvx_cGenUtil_BinToLongUtf8("11111111111111111111111111111111", &l) == TVX_TRUE && l == -1);

    /* Intersections: False writes nothing. */
    {
        double p[6] = {SENTINEL, SENTINEL, SENTINEL, SENTINEL, SENTINEL, SENTINEL};
        CHECK(tvx_cGeom_Intersect2Planes(1, 2, 3, 4, 2, 4, 6, 1, &p[0], &p[1], &p[2], &p[3], &p[4], &p[5]) ==
              TVX_FALSE);
        CHECK(tvx_cGeom_Intersect3Planes(1, 0, 0, -1, 2, 0, 0, -2, 0, 0, 1, -3, &p[0], &p[1], &p[2]) == TVX_FALSE);
        for (int k = 0; k < 6; ++k) CHECK(p[k] == SENTINEL);
    }
}

/* A null pointer in any output position: TVX_E_NULL_POINTER before anything is
 * written, and the text names the method and the parameter. */
static void test_null_outputs(void) {
    double a = SENTINEL, b = SENTINEL, c = SENTINEL, d = SENTINEL;
    int16_t i1 = 9, i2 = 9;
    tvx_Boolean outside = 5;
    double xs[] = {1, 2};
    tvx_Array ax = tvx_DoubleArray1D(xs, 1, 2);
    struct {
        tvx_status status;
        const char* prefix;
    } cases[] = {
        {tvx_cGeom_Line2D(0, 0, 1, 1, NULL, &b), "cGeom.Line2D: m is a null pointer"},
        {tvx_cGeom_Line2D(0, 0, 1, 1, &a, NULL), "cGeom.Line2D: B is a null pointer"},
        {tvx_cGeom_VectorAdd(1, 1, 1, 2, 2, 3, &a, NULL, &c), "cGeom.VectorAdd: v3j"},
        {tvx_cGeom_CrossProduct(1, 0, 0, 0, 1, 0, &a, &b, NULL), "cGeom.CrossProduct: v3k"},
        {tvx_cGeom_PlaneCoeffsFrom3Pts(1, 0, 0, 0, 1, 0, 0, 0, 1, &a, &b, &c, NULL), "cGeom.PlaneCoeffsFrom3Pts: d"},
        {tvx_cGeom_CartToPolar(3, 4, &a, NULL), "cGeom.CartToPolar: theta"},
        {tvx_cGeom_PolarToCart(2, 90, NULL, &b), "cGeom.PolarToCart: X"},
        {tvx_cGeom_Intersect3Planes(1, 0, 0, -1, 0, 1, 0, -2, 0, 0, 1, -3, &a, &b, NULL), "cGeom.Intersect3Planes: Z"},
        {tvx_CInterpolation_InterpolationRatio(10, 20, 15, NULL), "CInterpolation.InterpolationRatio: dInterpFrac"},
        {tvx_CInterpolation_InterpolationIndices(1.5, &ax, 0, &i1, &i2, &a, NULL),
         "CInterpolation.InterpolationIndices: bExtrapolationNeeded"},
        {tvx_CInterpolation_InterpolationIndices(1.5, &ax, 0, NULL, &i2, &a, &outside),
         "CInterpolation.InterpolationIndices: nXIndex1"},
        {tvx_CInterpolation_InterpolationOf1DArray(1.5, &ax, NULL, 0, &a), "CInterpolation.InterpolationOf1DArray: dYArray"},
        {tvx_cGenUtil_BinToLongUtf8("0", NULL), "cGenUtil.BinToLong"},
        {tvx_cGenUtil_IntToBin(5, NULL, 16, NULL), "cGenUtil.IntToBin"},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        if (cases[k].status != TVX_E_NULL_POINTER) {
            fprintf(stderr, "%s: status %s\n", cases[k].prefix, tvx_StatusName(cases[k].status));
            ++failures;
        }
    }
    /* Nothing was written through the pointers that were given. */
    CHECK(a == SENTINEL && b == SENTINEL && c == SENTINEL && d == SENTINEL);
    CHECK(i1 == 9 && i2 == 9 && outside == 5);
    CHECK(xs[0] == 1 && xs[1] == 2);
    /* The last text is the last case's; each case's own text, one at a time. */
    CHECK(tvx_cGeom_Line2D(0, 0, 1, 1, &a, NULL) == TVX_E_NULL_POINTER);
    CHECK(strcmp(tvx_LastErrorMessage(), "cGeom.Line2D: B is a null pointer") == 0);
    CHECK(tvx_cGeom_VectorAdd(1, 1, 1, 2, 2, 3, &a, NULL, &c) == TVX_E_NULL_POINTER);
    CHECK(starts_with(tvx_LastErrorMessage(), "cGeom.VectorAdd: v3j"));
    CHECK(tvx_CInterpolation_InterpolationIndices(1.5, &ax, 0, &i1, &i2, &a, NULL) == TVX_E_NULL_POINTER);
    CHECK(starts_with(tvx_LastErrorMessage(), "CInterpolation.InterpolationIndices: bExtrapolationNeeded"));
}

/* Every function that takes a handle refuses a null one with TVX_E_MISSING_OBJECT
 * and says which; Destroy(NULL) does nothing. */
static void test_null_handles(void) {
    double r = SENTINEL, solution[2];
    int32_t n = 77, count = 77;
    tvx_cMatrix2* out = NULL;
    const tvx_status statuses[] = {
        tvx_cMatrix_SetMatrixSize(NULL, 2),
        tvx_cMatrix_MatrixSize(NULL, &n),
        tvx_cMatrix_AddToMatrix(NULL, 1, 1, 1),
        tvx_cMatrix_AddToVector(NULL, 1, 1),
        tvx_cMatrix_Calc(NULL, solution, 2, &count),
        tvx_cMatrix_HelpForProgrammer(NULL),
        tvx_cMatrix2_NumRows(NULL, &n),
        tvx_cMatrix2_SetNumRows(NULL, 2),
        tvx_cMatrix2_NumCols(NULL, &n),
        tvx_cMatrix2_SetNumCols(NULL, 2),
        tvx_cMatrix2_PutData(NULL, 1, 1, 1),
        tvx_cMatrix2_GetData(NULL, 1, 1, &r),
    };
    for (size_t k = 0; k < sizeof statuses / sizeof statuses[0]; ++k) {
        if (statuses[k] != TVX_E_MISSING_OBJECT) {
            fprintf(stderr, "null handle, case %zu: %s\n", k, tvx_StatusName(statuses[k]));
            ++failures;
        }
    }
    CHECK(n == 77 && count == 77 && r == SENTINEL);
    CHECK(tvx_cMatrix2_GetData(NULL, 1, 1, &r) == TVX_E_MISSING_OBJECT);
    CHECK(strcmp(tvx_LastErrorMessage(), "cMatrix2.GetData: matrix is a null handle: it refers to no object") == 0);
    CHECK(tvx_cMatrix_Destroy(NULL) == TVX_OK && tvx_cMatrix2_Destroy(NULL) == TVX_OK);

    /* A null input to cMatrixOps: the output variable received its new 1 x 1 matrix
     * before the input was found missing. */
    CHECK(tvx_cMatrixOps_MatrixInvert(NULL, &out) == TVX_E_MISSING_OBJECT);
    CHECK(starts_with(tvx_LastErrorMessage(), "cMatrixOps.MatrixInvert: MissingObject: Original"));
    CHECK(out != NULL && tvx_cMatrix2_NumRows(out, &n) == TVX_OK && n == 1);
    CHECK(tvx_cMatrix2_Destroy(out) == TVX_OK);
    /* The same for a null variable passed as input and output: the input is the value NULL. */
    out = NULL;
    CHECK(tvx_cMatrixOps_MatrixTrans(out, &out) == TVX_E_MISSING_OBJECT);
    CHECK(out != NULL && tvx_cMatrix2_GetData(out, 1, 1, &r) == TVX_OK && r == 0);
    CHECK(tvx_cMatrix2_Destroy(out) == TVX_OK);
    /* A null output variable's address is a null pointer, not a missing object. */
    CHECK(tvx_cMatrixOps_MatrixTrans(NULL, NULL) == TVX_E_NULL_POINTER);
    CHECK(tvx_cMatrix2_Create(NULL) == TVX_E_NULL_POINTER && tvx_cMatrix_Create(NULL) == TVX_E_NULL_POINTER);
}

/* The solver's size and Calc's count. */
static void test_solver_counts(void) {
    tvx_cMatrix* solver = NULL;
    int32_t n = 77, count = 77;
    double solution[3] = {SENTINEL, SENTINEL, SENTINEL};
    CHECK(tvx_cMatrix_Create(&solver) == TVX_OK);
    CHECK(tvx_cMatrix_MatrixSize(solver, &n) == TVX_OK && n == 0);
    /* Before the first size: an error, count untouched. */
    CHECK(tvx_cMatrix_Calc(solver, solution, 3, &count) == TVX_E_SUBSCRIPT_OUT_OF_RANGE && count == 77);
    /* A refused size is still the size last given. */
    CHECK(tvx_cMatrix_SetMatrixSize(solver, -3) == TVX_E_SUBSCRIPT_OUT_OF_RANGE);
    CHECK(tvx_cMatrix_MatrixSize(solver, &n) == TVX_OK && n == -3);
    CHECK(tvx_cMatrix_MatrixSize(solver, NULL) == TVX_E_NULL_POINTER);
    /* All zeros: False, count 0, nothing written. */
    CHECK(tvx_cMatrix_SetMatrixSize(solver, 2) == TVX_OK);
    CHECK(tvx_cMatrix_Calc(solver, solution, 3, &count) == TVX_FALSE && count == 0 && solution[0] == SENTINEL);
    CHECK(tvx_LastFalseReason(NULL) == TVX_REASON_NO_ROW_ORDER);
    /* Subscripts: above N ignored, below 1 refused. */
    CHECK(tvx_cMatrix_AddToMatrix(solver, 3, 0, 1) == TVX_OK && tvx_cMatrix_AddToVector(solver, 3, 1) == TVX_OK);
    CHECK(tvx_cMatrix_AddToVector(solver, 0, 1) == TVX_E_SUBSCRIPT_OUT_OF_RANGE);
    CHECK(tvx_cMatrix_AddToMatrix(solver, 1, 1, 4) == TVX_OK && tvx_cMatrix_AddToMatrix(solver, 2, 2, 8) == TVX_OK);
    CHECK(tvx_cMatrix_AddToVector(solver, 1, 1) == TVX_OK && tvx_cMatrix_AddToVector(solver, 2, 2) == TVX_OK);
    /* A buffer one short: the count needed, nothing written; a longer one: N values. */
    count = 77;
    CHECK(tvx_cMatrix_Calc(solver, solution, 1, &count) == TVX_E_BUFFER_TOO_SMALL && count == 2);
    CHECK(solution[0] == SENTINEL);
    CHECK(tvx_cMatrix_Calc(solver, solution, 3, &count) == TVX_TRUE && count == 2);
    CHECK(solution[0] == 0.25 && solution[1] == 0.25 && solution[2] == SENTINEL);
    CHECK(tvx_cMatrix_Calc(solver, solution, 2, NULL) == TVX_E_NULL_POINTER);
    CHECK(tvx_cMatrix_Destroy(solver) == TVX_OK);

    /* cMatrix2: sizes of 0 or less change nothing; outside the matrix reads 0. */
    {
        tvx_cMatrix2* m = NULL;
        double r = SENTINEL;
        CHECK(tvx_cMatrix2_Create(&m) == TVX_OK);
        CHECK(tvx_cMatrix2_SetNumRows(m, 3) == TVX_OK && tvx_cMatrix2_SetNumRows(m, 0) == TVX_OK);
        CHECK(tvx_cMatrix2_SetNumCols(m, -1) == TVX_OK);
        CHECK(tvx_cMatrix2_NumRows(m, &n) == TVX_OK && n == 3 && tvx_cMatrix2_NumCols(m, &n) == TVX_OK && n == 1);
        CHECK(tvx_cMatrix2_PutData(m, 3, 1, 5) == TVX_OK && tvx_cMatrix2_PutData(m, 4, 1, 6) == TVX_OK);
        CHECK(tvx_cMatrix2_GetData(m, 3, 1, &r) == TVX_OK && r == 5);
        CHECK(tvx_cMatrix2_GetData(m, 4, 1, &r) == TVX_OK && r == 0);
        CHECK(tvx_cMatrix2_GetData(m, 0, 0, &r) == TVX_OK && r == 0);
        CHECK(tvx_cMatrix2_GetData(m, 1, 1, NULL) == TVX_E_NULL_POINTER);
        CHECK(tvx_cMatrix2_Destroy(m) == TVX_OK);
    }
}

/* tvx_Boolean: any non-zero value received is True; one given back is -1 or 0. */
static void test_booleans(void) {
    double x[] = {1, 2}, y[] = {10, 20}, r;
    tvx_Array ax = tvx_DoubleArray1D(x, 1, 2), ay = tvx_DoubleArray1D(y, 1, 2);
    const tvx_Boolean values[] = {-1, 1, 2, -32768, 256};
    for (size_t k = 0; k < sizeof values / sizeof values[0]; ++k) {
        r = SENTINEL;
        CHECK(tvx_cInterp2_Interp2D(&ax, &ay, values[k], 3, &r) == TVX_TRUE && r == 30);
    }
    r = SENTINEL;
    CHECK(tvx_cInterp2_Interp2D(&ax, &ay, 0, 3, &r) == TVX_FALSE && r == SENTINEL);

    int16_t i1 = 9, i2 = 9;
    double f = SENTINEL;
    tvx_Boolean outside = 5;
    /* Written first, also on False. */
    CHECK(tvx_CInterpolation_InterpolationIndices(5, &ax, TVX_NO_EXTRAPOLATION, &i1, &i2, &f, &outside) == TVX_FALSE);
    CHECK(outside == -1);
    CHECK(tvx_CInterpolation_InterpolationIndices(5, &ax, TVX_EXTRAPOLATE_LINEARLY, &i1, &i2, &f, &outside) == TVX_TRUE);
    CHECK(outside == -1 && i1 == 1 && i2 == 2 && f == 4);
    CHECK(tvx_CInterpolation_InterpolationIndices(1.5, &ax, TVX_NO_EXTRAPOLATION, &i1, &i2, &f, &outside) == TVX_TRUE);
    CHECK(outside == 0 && f == 0.5);
    /* Boolean results come back as the statuses TVX_TRUE and TVX_FALSE. */
    CHECK(tvx_CInterpolation_BoundedBy(5, 10, 0) == TVX_TRUE && tvx_CInterpolation_BoundedBy(NAN, 0, 10) == TVX_FALSE);
    CHECK(tvx_cGeom_InLine2D(0, 0, 1, 1, 2, 2, 0) == TVX_FALSE);
}

/* Why False: the C++ codes and words, kept through TVX_TRUE, NULL text allowed. */
static void test_false_reasons(void) {
    const char* text = NULL;
    double r = SENTINEL, m, B;
    int16_t n = 0;
    double x[] = {1, 2}, y[] = {10, 20};
    tvx_Array ax = tvx_DoubleArray1D(x, 1, 2), ay = tvx_DoubleArray1D(y, 1, 2);
    struct {
        tvx_status status;
        tvx_FalseReason code;
        const char* method;
    } cases[6];
    size_t k = 0;
    cases[k].status = tvx_cInterp2_Interp2D_Extrap(&ax, &ay, TVX_EXTRAP_NO, 9, &r);
    cases[k].code = tvx_LastFalseReason(&text), cases[k++].method = "cInterp2.Interp2D_Extrap: ";
    CHECK(starts_with(text, "cInterp2.Interp2D_Extrap: "));
    cases[k].status = tvx_cGeom_Line2D(NAN, 1, 2, 3, &m, &B);
    cases[k].code = tvx_LastFalseReason(&text), cases[k++].method = "cGeom.Line2D: ";
    CHECK(starts_with(text, "cGeom.Line2D: "));
    cases[k].status = tvx_cGenUtil_IsEqualAbs(1, 3, 1);  /* a predicate: no reason */
    cases[k].code = tvx_LastFalseReason(&text), cases[k++].method = "cGeom.Line2D: ";
    CHECK(starts_with(text, "cGeom.Line2D: "));
    cases[k].status = tvx_CInterpolation_LinearExtrapolation1Way(1, 0, 1, 1, 2, &r);
    cases[k].code = tvx_LastFalseReason(NULL), cases[k++].method = "";
    cases[k].status = tvx_cGenUtil_BinToIntUtf8("01", &n);
    cases[k].code = tvx_LastFalseReason(NULL), cases[k++].method = "";
    cases[k].status = tvx_cGeom_Line2D(0, 1, 2, 3, &m, &B);  /* True: the reason stays */
    cases[k].code = tvx_LastFalseReason(&text), cases[k++].method = "cGenUtil.BinToInt: ";
    CHECK(starts_with(text, "cGenUtil.BinToInt: "));
    const tvx_status statuses[] = {TVX_FALSE, TVX_FALSE, TVX_FALSE, TVX_FALSE, TVX_FALSE, TVX_TRUE};
    const tvx_FalseReason codes[] = {TVX_REASON_TARGET_OUTSIDE_TABLE, TVX_REASON_NOT_A_NUMBER,
                                     TVX_REASON_NOT_A_NUMBER,         TVX_REASON_VERTICAL_LINE,
                                     TVX_REASON_NOT_BINARY_TEXT,      TVX_REASON_NOT_BINARY_TEXT};
    for (k = 0; k < 6; ++k) {
        if (cases[k].status != statuses[k] || cases[k].code != codes[k]) {
            fprintf(stderr, "reason case %zu: status %d, code %d\n", k, (int)cases[k].status, (int)cases[k].code);
            ++failures;
        }
    }
    CHECK(r == SENTINEL);
}

/* Batches: the outcome per target is 1 - the single call's status; the result
 * arrays may be the targets; other sharing and unequal counts are refused before
 * any work; a table's error writes no outcome. */
static void test_batch_rules(void) {
    double x[] = {2, 0, 1}, y[] = {40, 0, 10};
    tvx_Array ax = tvx_DoubleArray1D(x, 1, 3), ay = tvx_DoubleArray1D(y, 1, 3);
    double targets[] = {0.5, 1.5, 7, NAN};
    tvx_BatchOutcome outcomes[4] = {9, 9, 9, 9};
    CHECK(tvx_CInterpolation_InterpolationOf1DArrayBatch(&ax, &ay, TVX_NO_EXTRAPOLATION, targets, 4, targets, 4,
                                                         outcomes, 4, 1) == TVX_OK);
    CHECK(targets[0] == 5 && targets[1] == 25 && targets[2] == 7 && isnan(targets[3]));
    CHECK(outcomes[0] == TVX_BATCH_RETURNED_TRUE && outcomes[2] == TVX_BATCH_RETURNED_FALSE &&
          outcomes[3] == TVX_BATCH_RETURNED_FALSE);
    CHECK(x[0] == 0 && x[1] == 1 && x[2] == 2 && y[2] == 40);
    targets[3] = NAN;
    CHECK(tvx_CInterpolation_InterpolationOf1DArrayBatch(&ax, &ay, TVX_EXTRAPOLATE_LINEARLY, targets + 3, 1, targets + 3,
                                                         1, outcomes + 3, 1, 0) == TVX_OK);
    CHECK(outcomes[3] == TVX_BATCH_SUBSCRIPT_OUT_OF_RANGE && isnan(targets[3]));
    CHECK(1 - TVX_BATCH_SUBSCRIPT_OUT_OF_RANGE == TVX_E_SUBSCRIPT_OUT_OF_RANGE &&
          1 - TVX_BATCH_OUT_OF_MEMORY == TVX_E_OUT_OF_MEMORY);

    /* Refused: nothing sorted, no outcome written. */
    {
        double ux[] = {2, 1}, uy[] = {20, 10}, t[] = {1.5, 1.25}, values[2] = {SENTINEL, SENTINEL};
        tvx_BatchOutcome o[2] = {9, 9};
        tvx_Array aux = tvx_DoubleArray1D(ux, 1, 2), auy = tvx_DoubleArray1D(uy, 1, 2);
        const tvx_status refused[] = {
            tvx_cInterp2_Interp2DBatch(&aux, &auy, -1, t, 2, uy, 2, o, 2, 1),       /* results over the Y table */
            tvx_cInterp2_Interp2DBatch(&aux, &auy, -1, ux, 2, values, 2, o, 2, 1),  /* targets in the X table */
            tvx_cInterp2_Interp2DBatch(&aux, &auy, -1, t, 2, t + 1, 1, o, 2, 1),    /* counts differ */
            tvx_cInterp2_Interp2DBatch(&aux, &auy, -1, t, 2, values, 2, o, 1, 1),
            tvx_cInterp2_Interp2DBatch(&aux, &auy, -1, t, 1, t + 1, 1, o, 1, 1),    /* results beside targets: fine */
            tvx_cInterp2_Interp2DBatch(&aux, &auy, -1, t, 2, values, 2, (tvx_BatchOutcome*)(void*)values, 2, 1),
        };
        /* In a table's memory: a bad descriptor (a sort would move the values); the
         * spans among themselves: an invalid argument. */
        const tvx_status expected[] = {TVX_E_BAD_DESCRIPTOR, TVX_E_BAD_DESCRIPTOR, TVX_E_INVALID_ARGUMENT,
                                       TVX_E_INVALID_ARGUMENT, TVX_OK,                 TVX_E_INVALID_ARGUMENT};
        for (size_t k = 0; k < sizeof refused / sizeof refused[0]; ++k) {
            if (refused[k] != expected[k]) {
                fprintf(stderr, "batch refusal %zu: %s\n", k, tvx_StatusName(refused[k]));
                ++failures;
            }
        }
        /* Only the call that was accepted sorted the table and wrote its one outcome. */
        CHECK(ux[0] == 1 && ux[1] == 2 && o[0] == TVX_BATCH_RETURNED_TRUE && o[1] == 9);
        CHECK(values[0] == SENTINEL && values[1] == SENTINEL);
    }

    /* An error of the table: a negative status, no outcome, no value. */
    {
        double gx[] = {0, 1}, grid[] = {1, 2, 3, 4}, px[] = {0.5}, py[] = {0.5}, z[] = {SENTINEL};
        tvx_BatchOutcome o[1] = {9};
        tvx_Array agx = tvx_DoubleArray1D(gx, 1, 2), agrid = tvx_DoubleArray2D(grid, 1, 2, 1, 2);
        tvx_Array wide = tvx_DoubleArray1D(gx, 32767, 32768);
        CHECK(tvx_CInterpolation_InterpolationOf1DArrayBatch(&wide, &wide, 1, px, 1, z, 1, o, 1, 1) == TVX_E_OVERFLOW);
        CHECK(o[0] == 9 && z[0] == SENTINEL);
        CHECK(tvx_cInterp2_Interp3DBatch(&agx, &agx, &agx, 0, px, 1, py, 1, z, 1, o, 1, 1) == TVX_E_BAD_DESCRIPTOR);
        CHECK(o[0] == 9 && z[0] == SENTINEL);
        CHECK(tvx_cInterp2_Interp3DBatch(&agx, &agx, &agrid, 0, px, 1, py, 1, z, 1, NULL, 1, 1) == TVX_E_NULL_POINTER);
        CHECK(tvx_cInterp2_Interp3DBatch(&agx, &agx, &agrid, 0, px, 1, py, 1, z, 1, o, 1, 1) == TVX_OK);
        CHECK(o[0] == TVX_BATCH_RETURNED_TRUE && z[0] == 2.5);
    }
}

/* Descriptors the numeric classes cannot take. */
static void test_descriptors(void) {
    double x[] = {1, 2}, r = SENTINEL;
    int32_t longs[] = {1, 2};
    tvx_Array ax = tvx_DoubleArray1D(x, 1, 2), along = tvx_Array1D(longs, TVX_LONG, 1, 2), unknown = ax;
    tvx_Array below = ax, wide = ax;
    unknown.type = 7;
    below.upper[0] = -1; /* two below the lower bound */
    wide.lower[0] = -32769; /* two elements, the first below the Integer positions */
    wide.upper[0] = -32768;
    CHECK(tvx_cInterp2_Interp2D(&along, &ax, -1, 1.5, &r) == TVX_E_BAD_DESCRIPTOR);
    CHECK(starts_with(tvx_LastErrorMessage(), "cInterp2.Interp2D: XValues: elements of TVX_LONG"));
    CHECK(tvx_CSort_BubbleSort1DArray(&unknown) == TVX_E_BAD_DESCRIPTOR);
    CHECK(strstr(tvx_LastErrorMessage(), "unknown element type 7") != NULL);
    CHECK(tvx_CSort_BubbleSort1DArray(&below) == TVX_E_BAD_DESCRIPTOR);
    CHECK(tvx_CSort_BubbleSort1DArray(&wide) == TVX_E_OVERFLOW);
    CHECK(starts_with(tvx_LastErrorMessage(), "CSort.BubbleSort1DArray: OverflowError: the lower bound -32769"));
    CHECK(r == SENTINEL && x[0] == 1 && x[1] == 2);
    /* A sort of Long elements: the caller's own int32_t values, in place. */
    {
        int32_t n[] = {INT32_MAX, INT32_MIN, 0};
        tvx_Array an = tvx_Array1D(n, TVX_LONG, -32768, -32766);
        CHECK(tvx_CSort_BubbleSort1DArray(&an) == TVX_OK && n[0] == INT32_MIN && n[1] == 0 && n[2] == INT32_MAX);
        an = tvx_Array1D(n, TVX_LONG, 32766, 32768);
        CHECK(tvx_CSort_BubbleSort1DArray(&an) == TVX_E_OVERFLOW);
    }
}

/* Text buffers: the exact capacity is enough; one less gives the length needed. */
static void test_text_buffers(void) {
    uint16_t units[33];
    char text[34];
    int32_t length = 0;
    memset(text, 'z', sizeof text);
    CHECK(tvx_cGenUtil_IntToBin(-1, units, 16, &length) == TVX_TRUE && length == 16 && units[15] == '1');
    length = 0;
    CHECK(tvx_cGenUtil_IntToBin(-1, units, 15, &length) == TVX_E_BUFFER_TOO_SMALL && length == 16);
    length = 0;
    CHECK(tvx_cGenUtil_LongToBin(1, units, 31, &length) == TVX_E_BUFFER_TOO_SMALL && length == 32);
    CHECK(tvx_cGenUtil_LongToBin(1, units, 33, &length) == TVX_TRUE && length == 32 && units[31] == '1');
    CHECK(tvx_cGenUtil_LongToBinUtf8(INT32_MIN, text, 32) == TVX_E_BUFFER_TOO_SMALL);
    CHECK(starts_with(tvx_LastErrorMessage(), "cGenUtil.LongToBin: sBin holds 32 bytes where 33 are needed"));
    CHECK(tvx_cGenUtil_LongToBinUtf8(INT32_MIN, text, 33) == TVX_TRUE);
    CHECK(strcmp(text, "10000000000000000000000000000000") == 0 && text[33] == 'z');
    CHECK(tvx_cGenUtil_IntToBinUtf8(0, text, 17) == TVX_TRUE && strcmp(text, "0000000000000000") == 0);
    /* Sixteen code units that are not all "0" and "1": False. */
    {
        int16_t n = 55;
        uint16_t other[16];
        for (int k = 0; k < 16; ++k) other[k] = '0';
        other[7] = 0x0661;
        CHECK(tvx_cGenUtil_BinToInt(other, 16, &n) == TVX_FALSE && n == 55);
        other[7] = '1';
        CHECK(tvx_cGenUtil_BinToInt(other, 16, &n) == TVX_TRUE && n == 256);
        CHECK(tvx_cGenUtil_BinToInt(other, 15, &n) == TVX_FALSE && n == 256);
    }
}

int main(void) {
    test_results_only_on_success();
    test_outputs_as_cpp_writes_them();
    test_null_outputs();
    test_null_handles();
    test_solver_counts();
    test_booleans();
    test_false_reasons();
    test_batch_rules();
    test_descriptors();
    test_text_buffers();
    if (failures != 0) {
        printf("%d of %d checks failed\n", failures, checks);
        return 1;
    }
    printf("all %d checks passed\n", checks);
    return 0;
}

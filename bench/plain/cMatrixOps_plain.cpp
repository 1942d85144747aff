#include "plain/cMatrixOps_plain.h"

#include <cmath>

#include <Tervanix/runtime/Checked.h>

namespace plain {

namespace {

// The arithmetic of a transcription: Num is double for the plain one, and rt::Fp for
// the fault-tested one, where Store is the library's rt::Stored.
inline double Store(double x) { return x; }
inline double Store(tervanix::rt::Fp x) { return tervanix::rt::Stored(x); }

template <typename Num>
void Mult(const std::vector<double>& A, const std::vector<double>& B, std::vector<double>& AB, int rows, int inner,
          int cols) {
    AB.assign(static_cast<std::size_t>(rows) * cols, 0.0);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            double s = 0.0;
            for (int k = 0; k < inner; ++k) s = Store(Num(B[k * cols + j]) * A[i * inner + k] + s);
            AB[i * cols + j] = s;
        }
    }
}

// A row of zeros (rows true) or a column of zeros.
bool HasLineOfZeros(const double* m, int n, bool rows) {
    for (int a = 0; a < n; ++a) {
        bool zero = true;
        for (int b = 0; b < n && zero; ++b) zero = (rows ? m[a * n + b] : m[b * n + a]) == 0.0;
        if (zero) return true;
    }
    return false;
}

template <typename Num>
bool HasProportionalRows(const double* m, int n) {
    bool found = false;
    for (int i = 0; i < n; ++i) {
        int j = 0;
        while (m[i * n + j] == 0.0) ++j;
        for (int k = i + 1; k < n; ++k) {
            const double ratio = Store(Num(m[k * n + j]) / m[i * n + j]);
            bool proportional = true;
            for (int c = 0; c < n; ++c) {
                const double q = Store(Num(m[i * n + c]) * ratio);
                const double r = m[k * n + c];
                const double d = std::fabs(r) >= 1e-12 ? std::fabs(Store(Num(q) / r - 1.0)) : std::fabs(q);
                if (d > 1e-12) proportional = false;
            }
            if (proportional) found = true;
        }
    }
    return found;
}

template <typename Num>
bool Invert(const std::vector<double>& Original, std::vector<double>& Inverted, int n) {
    const double* o = Original.data();
    if (HasLineOfZeros(o, n, true) || HasLineOfZeros(o, n, false) || HasProportionalRows<Num>(o, n)) return false;
    const int w = 2 * n;
    std::vector<double> W(static_cast<std::size_t>(n) * w, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) W[i * w + j] = o[i * n + j];
    for (int i = 0; i < n; ++i) W[i * w + n + i] = 1.0;

    for (int p = 0; p < n; ++p) {
        if (W[p * w + p] != 0.0) continue;
        int k = 0;
        while (W[k * w + p] == 0.0) ++k;
        for (int c = 0; c < w; ++c) W[p * w + c] = Store(Num(W[p * w + c]) + W[k * w + c]);
    }
    for (int p = 0; p < n; ++p) {
        for (int r = 0; r < n; ++r) {
            if (r == p || W[r * w + p] == 0.0) continue;
            const double f = Store(Num(W[p * w + p]) * -1.0 / W[r * w + p]);
            for (int c = 0; c < w; ++c) {
                const double t = Store(Num(W[r * w + c]) * f);
                W[r * w + c] = Store(Num(W[p * w + c]) + t);
            }
        }
    }
    for (int r = 0; r < n; ++r) {
        const double s = Store(Num(1.0) / W[r * w + r]);
        for (int c = 0; c < w; ++c) W[r * w + c] = Store(Num(W[r * w + c]) * s);
    }
    Inverted.assign(static_cast<std::size_t>(n) * n, 0.0);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) Inverted[r * n + c] = W[r * w + n + c];
    return true;
}

}  // namespace

void MatrixMult(const std::vector<double>& A, const std::vector<double>& B, std::vector<double>& AB, int rows,
                int inner, int cols) {
    Mult<double>(A, B, AB, rows, inner, cols);
}
void MatrixMultFaultTested(const std::vector<double>& A, const std::vector<double>& B, std::vector<double>& AB,
                           int rows, int inner, int cols) {
    Mult<tervanix::rt::Fp>(A, B, AB, rows, inner, cols);
}
bool MatrixInvert(const std::vector<double>& Original, std::vector<double>& Inverted, int n) {
    return Invert<double>(Original, Inverted, n);
}
bool MatrixInvertFaultTested(const std::vector<double>& Original, std::vector<double>& Inverted, int n) {
    return Invert<tervanix::rt::Fp>(Original, Inverted, n);
}

}  // namespace plain

#include "plain/cMatrix_plain.h"

namespace plain {

bool SolveInIdentityOrder(int n, const std::vector<double>& A, const std::vector<double>& b, std::vector<double>& x) {
    std::vector<double> W(static_cast<std::size_t>(n) * n), V(n);
    x.assign(n, 0.0);
    for (int i = 0; i < n; ++i) {
        if (A[i * n + i] == 0.0) return false;
    }
    for (int i = 0; i < n; ++i) {
        V[i] = b[i];
        for (int j = 0; j < n; ++j) W[i * n + j] = A[i * n + j];
    }
    for (int k = 0; k < n; ++k) {
        for (int i = k + 1; i < n; ++i) {
            if (W[i * n + k] == 0.0) continue;
            const double f = (W[k * n + k] * -1.0) / W[i * n + k];
            for (int j = 0; j < n; ++j) W[i * n + j] = f * W[i * n + j];
            V[i] = f * V[i];
            for (int j = 0; j < n; ++j) W[i * n + j] = W[k * n + j] + W[i * n + j];
            V[i] = V[k] + V[i];
        }
    }
    bool ok = true;
    for (int i = n - 1; i >= 0; --i) {
        double s = 0.0;
        for (int j = n - 1; j > i; --j) s = x[j] * W[i * n + j] + s;
        if (W[i * n + i] == 0.0) {
            ok = false;
        } else {
            x[i] = (V[i] - s) / W[i * n + i];
        }
    }
    return ok;
}

}  // namespace plain

// The matrices every matrix benchmark uses, so that ours, the plain transcription and
// Eigen work on the same numbers: row-major values in (-1, 1) from a fixed generator,
// with the diagonal raised so that the matrix to invert is well conditioned.
#pragma once

#include <cstdint>
#include <vector>

namespace benchdata {

inline std::vector<double> Matrix(int rows, int cols, std::uint64_t seed, double diagonal) {
    std::vector<double> m(static_cast<std::size_t>(rows) * cols);
    std::uint64_t state = seed;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;  // [0, 1)
            m[static_cast<std::size_t>(i) * cols + j] = 2.0 * unit - 1.0 + (i == j ? diagonal : 0.0);
        }
    }
    return m;
}

constexpr int kMultSize = 200;
constexpr int kInvertSize = 100;

inline const std::vector<double>& MultA() { static const auto m = Matrix(kMultSize, kMultSize, 1, 0.0); return m; }
inline const std::vector<double>& MultB() { static const auto m = Matrix(kMultSize, kMultSize, 2, 0.0); return m; }
inline const std::vector<double>& ToInvert() {
    static const auto m = Matrix(kInvertSize, kInvertSize, 3, 10.0);
    return m;
}
// A matrix of any size to invert, without a raised diagonal: the inverse scales each
// row by the pivot over the row's element, and a raised diagonal would make the rows
// grow until they overflow at a few hundred rows. And a system of 200 equations.
inline std::vector<double> ToInvertOfSize(int n) { return Matrix(n, n, 3, 0.0); }
constexpr int kSolveSize = 200;
inline const std::vector<double>& ToSolve() { static const auto m = Matrix(kSolveSize, kSolveSize, 4, 0.0); return m; }
inline const std::vector<double>& SolveConstants() { static const auto b = Matrix(kSolveSize, 1, 5, 0.0); return b; }

}  // namespace benchdata

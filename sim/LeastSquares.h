#pragma once
// Ordinary least squares for the few unknowns the drive's identification needs: rows of
// regressors and an observation go in, the coefficients that fit them best come out.

#include <array>
#include <cstddef>
#include <optional>

namespace zavo::sim {

template <std::size_t N>
class LeastSquares {
 public:
  using Vector = std::array<double, N>;

  void add(const Vector& x, double y) {
    for (std::size_t i = 0; i < N; ++i) {
      for (std::size_t j = 0; j < N; ++j) a_[i][j] += x[i] * x[j];
      b_[i] += x[i] * y;
    }
    ++rows_;
  }
  std::size_t rows() const { return rows_; }

  // The coefficients, or nothing when the rows do not determine them (too few, or a
  // regressor that never varied).
  std::optional<Vector> solve() const {
    if (rows_ < N) return std::nullopt;
    auto a = a_;
    auto b = b_;
    // Gaussian elimination with partial pivoting on the normal equations.
    for (std::size_t c = 0; c < N; ++c) {
      std::size_t pivot = c;
      for (std::size_t r = c + 1; r < N; ++r)
        if (abs(a[r][c]) > abs(a[pivot][c])) pivot = r;
      if (abs(a[pivot][c]) <= kSingular * (1 + abs(a[c][c]))) return std::nullopt;
      std::swap(a[c], a[pivot]);
      std::swap(b[c], b[pivot]);
      for (std::size_t r = c + 1; r < N; ++r) {
        const double f = a[r][c] / a[c][c];
        for (std::size_t k = c; k < N; ++k) a[r][k] -= f * a[c][k];
        b[r] -= f * b[c];
      }
    }
    Vector x{};
    for (std::size_t i = N; i-- > 0;) {
      double s = b[i];
      for (std::size_t k = i + 1; k < N; ++k) s -= a[i][k] * x[k];
      x[i] = s / a[i][i];
    }
    return x;
  }

 private:
  static constexpr double kSingular = 1e-300;
  static double abs(double v) { return v < 0 ? -v : v; }

  std::array<std::array<double, N>, N> a_{};
  Vector b_{};
  std::size_t rows_ = 0;
};

}  // namespace zavo::sim

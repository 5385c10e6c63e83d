#include "SplineCurve.h"

#include <cmath>
#include <new>

namespace {

// Chords at or below this length count as zero.
constexpr double kZeroChord = 1.2e-38;

// End slopes are half the end chords' slopes; the inner slopes solve the
// tridiagonal system by elimination without pivoting.
std::vector<double> Slopes(const std::vector<double>& v, const std::vector<double>& h) {
    const std::size_t n = v.size();
    std::vector<double> m(n, 0.0);
    m[0] = 0.5 * (v[1] - v[0]) / h[0];
    m[n - 1] = 0.5 * (v[n - 1] - v[n - 2]) / h[n - 2];
    if (n < 3) return m;
    const std::size_t inner = n - 2;
    std::vector<double> diag(inner), upper(inner), rhs(inner);
    for (std::size_t k = 0; k < inner; ++k) {
        const std::size_t i = k + 1;
        const double lower = h[i - 1] / 3.0;
        diag[k] = 2.0 / 3.0 * (h[i - 1] + h[i]);
        upper[k] = h[i] / 3.0;
        rhs[k] = h[i] / h[i - 1] * (v[i] - v[i - 1]) + h[i - 1] / h[i] * (v[i + 1] - v[i]);
        if (k == 0)
            rhs[k] -= lower * m[0];
        else {
            const double factor = lower / diag[k - 1];
            diag[k] -= factor * upper[k - 1];
            rhs[k] -= factor * rhs[k - 1];
        }
    }
    rhs[inner - 1] -= upper[inner - 1] * m[n - 1];
    m[inner] = rhs[inner - 1] / diag[inner - 1];
    for (std::size_t k = inner - 1; k-- > 0;)
        m[k + 1] = (rhs[k] - upper[k] * m[k + 2]) / diag[k];
    return m;
}

} // namespace

bool SplineCurve::Build(const std::vector<float>& xs, const std::vector<float>& ys) {
    intervals_.clear();
    sampleX_.clear();
    sampleY_.clear();
    const int m = static_cast<int>(xs.size());
    if (m < 2 || ys.size() != xs.size()) return true;
    try {
        intervals_.resize(Index(m - 1));
        for (int i = 0; i + 1 < m; ++i) {
            Cubic& c = intervals_[Index(i)];
            const double dx = static_cast<double>(xs[Index(i + 1)]) - xs[Index(i)];
            const double dy = static_cast<double>(ys[Index(i + 1)]) - ys[Index(i)];
            c.h = static_cast<float>(std::sqrt(dx * dx + dy * dy));
            c.x0 = xs[Index(i)];
            c.y0 = ys[Index(i)];
        }
        // Pieces between zero-length intervals are independent curves.
        int first = 0;
        for (int i = 0; i < m; ++i) {
            const bool end = i == m - 1 || intervals_[Index(i)].h <= kZeroChord;
            if (!end) continue;
            if (i > first) BuildPiece(xs, ys, first, i - first + 1);
            first = i + 1;
        }
        Sample();
    } catch (const std::bad_alloc&) {
        intervals_.clear();
        sampleX_.clear();
        sampleY_.clear();
        return false;
    }
    return true;
}

void SplineCurve::BuildPiece(const std::vector<float>& xs, const std::vector<float>& ys, int first,
                             int count) {
    if (count <= 10) {
        BuildWindow(xs, ys, first, count, 0, count - 2);
        return;
    }
    const int q = count / 10;
    const int r = count % 10;
    BuildWindow(xs, ys, first, 10, 0, 7);
    for (int j = 1; j < q; ++j) {
        const bool last = r == 0 && j == q - 1;
        BuildWindow(xs, ys, first + 10 * j - 3, 13, 1, last ? 11 : 10);
    }
    if (r > 0) BuildWindow(xs, ys, first + 10 * q - 3, r + 3, 1, r + 1);
}

void SplineCurve::BuildWindow(const std::vector<float>& xs, const std::vector<float>& ys, int first,
                              int count, int fromInterval, int toInterval) {
    std::vector<double> x(Index(count)), y(Index(count)), h(Index(count - 1));
    for (int k = 0; k < count; ++k) {
        x[Index(k)] = xs[Index(first + k)];
        y[Index(k)] = ys[Index(first + k)];
        if (k + 1 < count) h[Index(k)] = intervals_[Index(first + k)].h;
    }
    const std::vector<double> mx = Slopes(x, h);
    const std::vector<double> my = Slopes(y, h);
    for (int k = fromInterval; k <= toInterval; ++k) {
        Cubic& c = intervals_[Index(first + k)];
        const std::size_t a = Index(k);
        const double hk = h[a];
        c.mx = mx[a];
        c.cx = 3.0 * (x[a + 1] - x[a]) / (hk * hk) - (2.0 * mx[a] + mx[a + 1]) / hk;
        c.dx = (2.0 * (x[a] - x[a + 1]) / hk + mx[a] + mx[a + 1]) / (hk * hk);
        c.my = my[a];
        c.cy = 3.0 * (y[a + 1] - y[a]) / (hk * hk) - (2.0 * my[a] + my[a + 1]) / hk;
        c.dy = (2.0 * (y[a] - y[a + 1]) / hk + my[a] + my[a + 1]) / (hk * hk);
    }
}

void SplineCurve::Evaluate(int interval, double t, double* x, double* y) const {
    const Cubic& c = intervals_[Index(interval)];
    *x = c.x0 + t * (c.mx + t * (c.cx + t * c.dx));
    *y = c.y0 + t * (c.my + t * (c.cy + t * c.dy));
}

void SplineCurve::Sample() {
    const int intervals = IntervalCount();
    sampleX_.resize(Index(kSteps * intervals + 1));
    sampleY_.resize(sampleX_.size());
    for (int i = 0; i < intervals; ++i) {
        const int last = i + 1 == intervals ? kSteps : kSteps - 1;
        for (int s = 0; s <= last; ++s) {
            double x = 0, y = 0;
            Evaluate(i, s * static_cast<double>(intervals_[Index(i)].h) / kSteps, &x, &y);
            sampleX_[Index(kSteps * i + s)] = static_cast<float>(x);
            sampleY_[Index(kSteps * i + s)] = static_cast<float>(y);
        }
    }
}

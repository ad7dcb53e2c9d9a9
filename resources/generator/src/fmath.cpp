#include "fmath.h"

namespace fm {

double sin(double x) {
    // Reduce to [-pi, pi], then fold onto [-pi/2, pi/2] where the Taylor
    // series to x^15 is accurate to about 1e-12.
    double k = std::floor(x / kTwoPi + 0.5);
    double r = x - k * kTwoPi;
    const double halfPi = kPi * 0.5;
    if (r > halfPi) r = kPi - r;
    if (r < -halfPi) r = -kPi - r;
    double r2 = r * r;
    double term = r;
    double sum = r;
    for (int n = 1; n <= 7; ++n) {
        term = -term * r2 / static_cast<double>((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double cos(double x) { return sin(x + kPi * 0.5); }

double exp(double x) {
    if (x < -700.0) return 0.0;
    if (x > 700.0) x = 700.0;
    const double ln2 = 0.69314718055994530942;
    double k = std::floor(x / ln2 + 0.5);
    double r = x - k * ln2; // |r| <= ln2 / 2
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 13; ++n) {
        term = term * r / static_cast<double>(n);
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

} // namespace fm

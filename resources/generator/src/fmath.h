#pragma once
// Math helpers whose results do not depend on the C library: sin, cos and
// exp from libm may differ in the last bit between vendors, and one bit is
// enough to move a dithered pixel. Only +, -, *, /, sqrt and floor are used,
// which IEEE 754 defines exactly.
#include <cmath>

namespace fm {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 6.28318530717958647692;

double sin(double x);
double cos(double x);
double exp(double x);

inline float clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline float clamp01(float v) { return clamp(v, 0.0f, 1.0f); }
inline float mix(float a, float b, float t) { return a + (b - a) * t; }
inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}
// 1 at d = 0, falling smoothly to exactly 0 at d = 1: an envelope with
// compact support, so effects end where the scene says they end.
inline float bump(float d) {
    if (d >= 1.0f) return 0.0f;
    float t = 1.0f - d * d;
    return t * t;
}
inline float sq(float v) { return v * v; }

} // namespace fm

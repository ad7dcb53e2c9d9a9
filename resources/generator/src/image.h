#pragma once
// True-colour working images (0..1 floats per channel) and the indexed
// images that the file writers take.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Rgb rgb(float r, float g, float b) { return Rgb{r, g, b}; }
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Rgb lerp(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
// Screen blend: light added the way mist and glow add to a scene, never
// going past white.
inline Rgb screen(Rgb a, Rgb b) {
    return {1.0f - (1.0f - a.r) * (1.0f - b.r), 1.0f - (1.0f - a.g) * (1.0f - b.g),
            1.0f - (1.0f - a.b) * (1.0f - b.b)};
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> px; // row-major, top row first

    Image() = default;
    Image(int w, int h) : width(w), height(h), px(static_cast<size_t>(w) * h) {}
    Rgb& at(int x, int y) { return px[static_cast<size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

struct PaletteEntry {
    uint8_t r = 0, g = 0, b = 0;
};

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<PaletteEntry> palette;
    std::vector<uint8_t> index; // row-major, top row first
};

#pragma once
// Reduction of a true-colour image to an indexed one: the palette is taken
// from the image's own colours (median cut, refined by k-means), and the
// pixels are mapped with Floyd-Steinberg error diffusion so that smooth
// gradients of mist and sky do not band at 256 colours.
#include <vector>

#include "image.h"

enum class Dither { None, FloydSteinberg };

struct QuantizeOptions {
    int colours = 256;                   // total palette size, reserved entries included
    std::vector<PaletteEntry> reserved;  // fixed entries placed first (transparency, text)
    const std::vector<uint8_t>* weightMask = nullptr; // pixels with 0 do not shape the palette
    Dither dither = Dither::FloydSteinberg;
    float ditherStrength = 0.9f;
};

// Chooses up to options.colours entries; the result always has exactly
// options.colours entries (unused ones repeat black) so tables are full.
std::vector<PaletteEntry> choosePalette(const Image& image, const QuantizeOptions& options);

// Maps every pixel to its palette entry.
IndexedImage mapToPalette(const Image& image, const std::vector<PaletteEntry>& palette,
                          Dither dither, float ditherStrength);

IndexedImage quantize(const Image& image, const QuantizeOptions& options);

// Exact nearest palette entry (squared RGB distance), searching outward in
// green order so that a frame of 300,000 pixels maps in milliseconds.
class NearestColour {
public:
    explicit NearestColour(const std::vector<PaletteEntry>& palette);
    int find(float r, float g, float b) const; // channels in 0..255

private:
    struct Item {
        float g, r, b;
        int index;
    };
    std::vector<Item> items_;
};

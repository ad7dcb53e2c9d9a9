#include "title_bitmap.h"

#include "icons.h"
#include "quantize.h"

namespace {

// 3 x 5 glyphs, one row per string, '#' set.
struct Glyph {
    char letter;
    const char* rows[5];
};
const Glyph kFont[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'O', {"###", "#.#", "#.#", "#.#", "###"}},
    {'K', {"#.#", "##.", "#..", "##.", "#.#"}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
};

const Glyph* glyphFor(char c) {
    for (const Glyph& g : kFont)
        if (g.letter == c) return &g;
    return nullptr;
}

constexpr int kSize = 60;
constexpr int kScale = 2;

} // namespace

IndexedImage titleBitmap(const Image& farView) {
    Image picture = shrink(farView, 60, 80, 360, kSize);

    // Mark the letters (scaled up twice) and a one-pixel outline round them.
    const char* title = "AOKIRI";
    const int advance = 4 * kScale;
    const int textWidth = 6 * advance - kScale;
    const int left = (kSize - textWidth) / 2, top = 4;
    std::vector<uint8_t> ink(kSize * kSize, 0);
    for (int i = 0; title[i]; ++i) {
        const Glyph* g = glyphFor(title[i]);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col) {
                if (g->rows[row][col] != '#') continue;
                for (int sy = 0; sy < kScale; ++sy)
                    for (int sx = 0; sx < kScale; ++sx) {
                        int x = left + i * advance + col * kScale + sx, y = top + row * kScale + sy;
                        ink[static_cast<size_t>(y) * kSize + x] = 2;
                    }
            }
    }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (ink[static_cast<size_t>(y) * kSize + x] == 2) continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && ink[static_cast<size_t>(ny) * kSize + nx] == 2)
                        ink[static_cast<size_t>(y) * kSize + x] = 1;
                }
        }

    // Fourteen colours for the picture, two kept for the lettering.
    const PaletteEntry outline{12, 24, 48}, letter{255, 255, 255};
    QuantizeOptions options;
    options.colours = 16;
    options.reserved = {outline, letter};
    IndexedImage out = quantize(picture, options);
    for (size_t i = 0; i < ink.size(); ++i) {
        if (ink[i] == 1) out.index[i] = 0;
        if (ink[i] == 2) out.index[i] = 1;
    }
    return out;
}

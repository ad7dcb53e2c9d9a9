#include "quantize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// One occupied cell of a 5-bit-per-channel histogram; the sums keep the
// exact colours so that palette entries are not snapped to the grid.
struct Cell {
    uint32_t key = 0;
    double weight = 0.0;
    double r = 0.0, g = 0.0, b = 0.0;
    float mean(int channel) const {
        double s = channel == 0 ? r : (channel == 1 ? g : b);
        return static_cast<float>(s / weight);
    }
};

struct Box {
    size_t begin, end;
    double error;   // weighted squared deviation from the box mean
    int axis;       // channel with the widest spread
};

float to255(float v) { return std::min(255.0f, std::max(0.0f, v * 255.0f)); }

std::vector<Cell> histogram(const Image& image, const std::vector<uint8_t>* mask) {
    std::vector<int32_t> slot(32 * 32 * 32, -1);
    std::vector<Cell> cells;
    for (size_t i = 0; i < image.px.size(); ++i) {
        if (mask && (*mask)[i] == 0) continue;
        float r = to255(image.px[i].r), g = to255(image.px[i].g), b = to255(image.px[i].b);
        uint32_t key = (static_cast<uint32_t>(r) >> 3) << 10 | (static_cast<uint32_t>(g) >> 3) << 5 |
                       (static_cast<uint32_t>(b) >> 3);
        if (slot[key] < 0) {
            slot[key] = static_cast<int32_t>(cells.size());
            cells.push_back(Cell{});
            cells.back().key = key;
        }
        Cell& c = cells[static_cast<size_t>(slot[key])];
        c.weight += 1.0;
        c.r += r;
        c.g += g;
        c.b += b;
    }
    // Cells in key order, so the result does not depend on pixel order.
    std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.key < b.key; });
    return cells;
}

Box measure(const std::vector<Cell>& cells, size_t begin, size_t end) {
    double w = 0, s[3] = {0, 0, 0}, s2[3] = {0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c) {
            double m = cells[i].mean(c);
            s[c] += m * cells[i].weight;
            s2[c] += m * m * cells[i].weight;
        }
        w += cells[i].weight;
    }
    Box box{begin, end, 0.0, 0};
    double best = -1.0;
    for (int c = 0; c < 3; ++c) {
        double var = s2[c] - s[c] * s[c] / w;
        box.error += var;
        if (var > best) {
            best = var;
            box.axis = c;
        }
    }
    if (end - begin < 2) box.error = 0.0;
    return box;
}

void medianCut(std::vector<Cell>& cells, int wanted, std::vector<Rgb>& centres) {
    std::vector<Box> boxes;
    if (!cells.empty()) boxes.push_back(measure(cells, 0, cells.size()));
    while (static_cast<int>(boxes.size()) < wanted) {
        size_t pick = boxes.size();
        double worst = 0.0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].error > worst) {
                worst = boxes[i].error;
                pick = i;
            }
        }
        if (pick == boxes.size()) break; // every box holds a single colour
        Box box = boxes[pick];
        int axis = box.axis;
        std::sort(cells.begin() + static_cast<long>(box.begin), cells.begin() + static_cast<long>(box.end),
                  [axis](const Cell& a, const Cell& b) {
                      float ma = a.mean(axis), mb = b.mean(axis);
                      if (ma != mb) return ma < mb;
                      return a.key < b.key;
                  });
        double total = 0;
        for (size_t i = box.begin; i < box.end; ++i) total += cells[i].weight;
        double run = 0;
        size_t split = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; ++i) {
            run += cells[i].weight;
            split = i + 1;
            if (run >= total * 0.5) break;
        }
        boxes[pick] = measure(cells, box.begin, split);
        boxes.push_back(measure(cells, split, box.end));
    }
    centres.clear();
    for (const Box& box : boxes) {
        double w = 0, r = 0, g = 0, b = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            w += cells[i].weight;
            r += cells[i].r;
            g += cells[i].g;
            b += cells[i].b;
        }
        centres.push_back(rgb(static_cast<float>(r / w), static_cast<float>(g / w), static_cast<float>(b / w)));
    }
}

PaletteEntry toEntry(Rgb c) {
    auto q = [](float v) { return static_cast<uint8_t>(std::min(255.0f, std::max(0.0f, std::floor(v + 0.5f)))); };
    return PaletteEntry{q(c.r), q(c.g), q(c.b)};
}

// Lloyd iterations over the histogram cells: moves each entry to the mean
// of the colours nearest to it, which lowers the error median cut leaves.
void refine(const std::vector<Cell>& cells, std::vector<Rgb>& centres, int iterations) {
    for (int it = 0; it < iterations; ++it) {
        std::vector<PaletteEntry> pal;
        for (const Rgb& c : centres) pal.push_back(toEntry(c));
        NearestColour nearest(pal);
        std::vector<double> w(centres.size(), 0.0), r(centres.size(), 0.0), g(centres.size(), 0.0),
            b(centres.size(), 0.0);
        for (const Cell& cell : cells) {
            int k = nearest.find(cell.mean(0), cell.mean(1), cell.mean(2));
            w[static_cast<size_t>(k)] += cell.weight;
            r[static_cast<size_t>(k)] += cell.r;
            g[static_cast<size_t>(k)] += cell.g;
            b[static_cast<size_t>(k)] += cell.b;
        }
        for (size_t k = 0; k < centres.size(); ++k) {
            if (w[k] > 0)
                centres[k] = rgb(static_cast<float>(r[k] / w[k]), static_cast<float>(g[k] / w[k]),
                                 static_cast<float>(b[k] / w[k]));
        }
    }
}

float luma(const PaletteEntry& e) { return 0.299f * e.r + 0.587f * e.g + 0.114f * e.b; }

} // namespace

NearestColour::NearestColour(const std::vector<PaletteEntry>& palette) {
    for (size_t i = 0; i < palette.size(); ++i)
        items_.push_back(Item{static_cast<float>(palette[i].g), static_cast<float>(palette[i].r),
                              static_cast<float>(palette[i].b), static_cast<int>(i)});
    std::sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
        if (a.g != b.g) return a.g < b.g;
        return a.index < b.index;
    });
}

int NearestColour::find(float r, float g, float b) const {
    size_t n = items_.size();
    size_t lo = 0, hi = n;
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (items_[mid].g < g) lo = mid + 1;
        else hi = mid;
    }
    float best = 1e30f;
    int bestIndex = items_.empty() ? 0 : items_[0].index;
    auto consider = [&](const Item& it) {
        float d = (it.r - r) * (it.r - r) + (it.g - g) * (it.g - g) + (it.b - b) * (it.b - b);
        if (d < best || (d == best && it.index < bestIndex)) {
            best = d;
            bestIndex = it.index;
        }
    };
    size_t up = lo;
    size_t down = lo;
    bool goUp = up < n, goDown = down > 0;
    while (goUp || goDown) {
        if (goUp) {
            float dg = items_[up].g - g;
            if (dg * dg > best) goUp = false;
            else {
                consider(items_[up]);
                ++up;
                goUp = up < n;
            }
        }
        if (goDown) {
            float dg = g - items_[down - 1].g;
            if (dg * dg > best) goDown = false;
            else {
                consider(items_[down - 1]);
                --down;
                goDown = down > 0;
            }
        }
    }
    return bestIndex;
}

std::vector<PaletteEntry> choosePalette(const Image& image, const QuantizeOptions& options) {
    std::vector<Cell> cells = histogram(image, options.weightMask);
    int free = options.colours - static_cast<int>(options.reserved.size());
    std::vector<Rgb> centres;
    medianCut(cells, free, centres);
    refine(cells, centres, 5);

    std::vector<PaletteEntry> chosen;
    for (const Rgb& c : centres) chosen.push_back(toEntry(c));
    // Dark to light: a tidy table, and the order no longer depends on how
    // the boxes happened to split.
    std::sort(chosen.begin(), chosen.end(), [](const PaletteEntry& a, const PaletteEntry& b) {
        float la = luma(a), lb = luma(b);
        if (la != lb) return la < lb;
        uint32_t ka = static_cast<uint32_t>(a.r) << 16 | static_cast<uint32_t>(a.g) << 8 | a.b;
        uint32_t kb = static_cast<uint32_t>(b.r) << 16 | static_cast<uint32_t>(b.g) << 8 | b.b;
        return ka < kb;
    });
    std::vector<PaletteEntry> palette = options.reserved;
    palette.insert(palette.end(), chosen.begin(), chosen.end());
    while (static_cast<int>(palette.size()) < options.colours) palette.push_back(PaletteEntry{});
    return palette;
}

IndexedImage mapToPalette(const Image& image, const std::vector<PaletteEntry>& palette, Dither dither,
                          float strength) {
    IndexedImage out;
    out.width = image.width;
    out.height = image.height;
    out.palette = palette;
    out.index.assign(image.px.size(), 0);
    NearestColour nearest(palette);
    const int w = image.width;
    // Error rows padded by one pixel each side so the kernel needs no edge tests.
    std::vector<Rgb> cur(static_cast<size_t>(w) + 2), next(static_cast<size_t>(w) + 2);
    for (int y = 0; y < image.height; ++y) {
        std::fill(next.begin(), next.end(), Rgb{});
        bool leftToRight = (y % 2) == 0; // serpentine scan hides the diagonal drift of plain order
        for (int step = 0; step < w; ++step) {
            int x = leftToRight ? step : w - 1 - step;
            const Rgb& src = image.at(x, y);
            Rgb want = rgb(to255(src.r), to255(src.g), to255(src.b));
            if (dither == Dither::FloydSteinberg) {
                const Rgb& e = cur[static_cast<size_t>(x) + 1];
                want = rgb(std::min(255.0f, std::max(0.0f, want.r + e.r)),
                           std::min(255.0f, std::max(0.0f, want.g + e.g)),
                           std::min(255.0f, std::max(0.0f, want.b + e.b)));
            }
            int k = nearest.find(want.r, want.g, want.b);
            out.index[static_cast<size_t>(y) * w + x] = static_cast<uint8_t>(k);
            if (dither != Dither::FloydSteinberg) continue;
            const PaletteEntry& p = palette[static_cast<size_t>(k)];
            Rgb err = rgb((want.r - p.r) * strength, (want.g - p.g) * strength, (want.b - p.b) * strength);
            size_t c = static_cast<size_t>(x) + 1;
            size_t ahead = leftToRight ? c + 1 : c - 1;
            size_t behind = leftToRight ? c - 1 : c + 1;
            cur[ahead] = cur[ahead] + err * (7.0f / 16.0f);
            next[behind] = next[behind] + err * (3.0f / 16.0f);
            next[c] = next[c] + err * (5.0f / 16.0f);
            next[ahead] = next[ahead] + err * (1.0f / 16.0f);
        }
        std::swap(cur, next);
    }
    return out;
}

IndexedImage quantize(const Image& image, const QuantizeOptions& options) {
    return mapToPalette(image, choosePalette(image, options), options.dither, options.ditherStrength);
}

#include "glow.h"

#include <vector>

namespace {

// Running-sum box filter along one line; edges repeat the border pixel.
void boxLine(std::vector<Rgb>& line, int radius, std::vector<Rgb>& tmp) {
    const int n = static_cast<int>(line.size());
    tmp.assign(line.size(), Rgb{});
    Rgb sum{};
    auto sample = [&](int i) { return line[static_cast<size_t>(i < 0 ? 0 : (i >= n ? n - 1 : i))]; };
    for (int i = -radius; i <= radius; ++i) sum = sum + sample(i);
    const float inv = 1.0f / static_cast<float>(2 * radius + 1);
    for (int i = 0; i < n; ++i) {
        tmp[static_cast<size_t>(i)] = sum * inv;
        Rgb in = sample(i + radius + 1), out = sample(i - radius);
        sum = rgb(sum.r + in.r - out.r, sum.g + in.g - out.g, sum.b + in.b - out.b);
    }
    line.swap(tmp);
}

} // namespace

void blur(Image& image, int radius) {
    std::vector<Rgb> line, tmp;
    for (int pass = 0; pass < 3; ++pass) {
        line.resize(static_cast<size_t>(image.width));
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) line[static_cast<size_t>(x)] = image.at(x, y);
            boxLine(line, radius, tmp);
            for (int x = 0; x < image.width; ++x) image.at(x, y) = line[static_cast<size_t>(x)];
        }
        line.resize(static_cast<size_t>(image.height));
        for (int x = 0; x < image.width; ++x) {
            for (int y = 0; y < image.height; ++y) line[static_cast<size_t>(y)] = image.at(x, y);
            boxLine(line, radius, tmp);
            for (int y = 0; y < image.height; ++y) image.at(x, y) = line[static_cast<size_t>(y)];
        }
    }
}

void addGlow(Image& image, float threshold, int radius, float strength) {
    Image bright(image.width, image.height);
    for (size_t i = 0; i < image.px.size(); ++i) {
        const Rgb& c = image.px[i];
        float l = 0.3f * c.r + 0.55f * c.g + 0.15f * c.b;
        float k = l > threshold ? (l - threshold) / (1.0f - threshold) : 0.0f;
        bright.px[i] = c * k;
    }
    blur(bright, radius);
    for (size_t i = 0; i < image.px.size(); ++i) image.px[i] = screen(image.px[i], bright.px[i] * strength);
}

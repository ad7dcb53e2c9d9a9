#pragma once
// Icon files: an ICONDIR, one 16-byte entry per image, then each image as
// a classic DIB icon (info header with doubled height, colour table, XOR
// pixels, 1-bit AND mask).
#include <vector>

#include "byte_buffer.h"
#include "image.h"

struct IconImage {
    IndexedImage colours;        // palette of 16 or 256 entries
    std::vector<uint8_t> opaque; // one byte per pixel: 0 shows the desktop through
    int bitsPerPixel = 4;        // 4 or 8
};

ByteBuffer iconFile(const std::vector<IconImage>& images);

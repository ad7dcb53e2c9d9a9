#include "bmp_writer.h"

int dibRowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

void appendColourTable(ByteBuffer& out, const IndexedImage& image, int bitsPerPixel) {
    size_t entries = static_cast<size_t>(1) << bitsPerPixel;
    for (size_t i = 0; i < entries; ++i) {
        PaletteEntry e = i < image.palette.size() ? image.palette[i] : PaletteEntry{};
        out.u8(e.b);
        out.u8(e.g);
        out.u8(e.r);
        out.u8(0);
    }
}

void appendPixelRows(ByteBuffer& out, const IndexedImage& image, int bitsPerPixel) {
    int rowBytes = dibRowBytes(image.width, bitsPerPixel);
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = &image.index[static_cast<size_t>(y) * image.width];
        int written = 0;
        if (bitsPerPixel == 8) {
            for (int x = 0; x < image.width; ++x) out.u8(row[x]);
            written = image.width;
        } else { // 4 bits: high nibble is the left pixel
            for (int x = 0; x < image.width; x += 2) {
                uint8_t hi = row[x] & 0x0F;
                uint8_t lo = x + 1 < image.width ? (row[x + 1] & 0x0F) : 0;
                out.u8(static_cast<uint8_t>(hi << 4 | lo));
            }
            written = (image.width + 1) / 2;
        }
        out.zeros(static_cast<size_t>(rowBytes - written));
    }
}

ByteBuffer packedDib(const IndexedImage& image, int bitsPerPixel) {
    ByteBuffer out;
    out.u32(40);
    out.i32(image.width);
    out.i32(image.height); // positive: bottom-up rows
    out.u16(1);
    out.u16(static_cast<uint16_t>(bitsPerPixel));
    out.u32(0); // BI_RGB
    out.u32(static_cast<uint32_t>(dibRowBytes(image.width, bitsPerPixel) * image.height));
    out.i32(0);
    out.i32(0);
    out.u32(1u << bitsPerPixel); // colours used: the full table
    out.u32(0);
    appendColourTable(out, image, bitsPerPixel);
    appendPixelRows(out, image, bitsPerPixel);
    return out;
}

ByteBuffer bmpFile(const IndexedImage& image, int bitsPerPixel) {
    ByteBuffer dib = packedDib(image, bitsPerPixel);
    uint32_t tableBytes = 4u << bitsPerPixel;
    ByteBuffer out;
    out.u8(static_cast<uint8_t>('B'));
    out.u8(static_cast<uint8_t>('M'));
    out.u32(static_cast<uint32_t>(14 + dib.size()));
    out.u16(0);
    out.u16(0);
    out.u32(14 + 40 + tableBytes); // offset of the pixel rows
    out.append(dib);
    return out;
}

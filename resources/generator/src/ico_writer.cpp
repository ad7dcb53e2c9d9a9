#include "ico_writer.h"

#include "bmp_writer.h"

namespace {

ByteBuffer iconDib(const IconImage& icon) {
    const IndexedImage& img = icon.colours;
    int xorBytes = dibRowBytes(img.width, icon.bitsPerPixel) * img.height;
    int andRow = dibRowBytes(img.width, 1);
    ByteBuffer out;
    out.u32(40);
    out.i32(img.width);
    out.i32(img.height * 2); // XOR image and AND mask stacked
    out.u16(1);
    out.u16(static_cast<uint16_t>(icon.bitsPerPixel));
    out.u32(0);
    out.u32(static_cast<uint32_t>(xorBytes + andRow * img.height));
    out.i32(0);
    out.i32(0);
    out.u32(0);
    out.u32(0);
    appendColourTable(out, img, icon.bitsPerPixel);
    appendPixelRows(out, img, icon.bitsPerPixel);
    for (int y = img.height - 1; y >= 0; --y) {
        for (int byte = 0; byte < andRow; ++byte) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                int x = byte * 8 + bit;
                bool transparent = x >= img.width || icon.opaque[static_cast<size_t>(y) * img.width + x] == 0;
                if (transparent) bits = static_cast<uint8_t>(bits | (0x80 >> bit));
            }
            out.u8(bits);
        }
    }
    return out;
}

} // namespace

ByteBuffer iconFile(const std::vector<IconImage>& images) {
    std::vector<ByteBuffer> dibs;
    for (const IconImage& icon : images) dibs.push_back(iconDib(icon));
    ByteBuffer out;
    out.u16(0);
    out.u16(1); // type: icon
    out.u16(static_cast<uint16_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& icon = images[i];
        out.u8(static_cast<uint8_t>(icon.colours.width));
        out.u8(static_cast<uint8_t>(icon.colours.height));
        out.u8(icon.bitsPerPixel == 4 ? 16 : 0); // colour count; 0 means 256 or more
        out.u8(0);
        out.u16(1);
        out.u16(static_cast<uint16_t>(icon.bitsPerPixel));
        out.u32(static_cast<uint32_t>(dibs[i].size()));
        out.u32(offset);
        offset += static_cast<uint32_t>(dibs[i].size());
    }
    for (const ByteBuffer& dib : dibs) out.append(dib);
    return out;
}

#pragma once
// Device-independent bitmaps as Windows stores them: BITMAPFILEHEADER,
// BITMAPINFOHEADER, colour table (blue, green, red, 0) and bottom-up rows
// padded to four bytes. windres drops the file header when it embeds one.
#include "byte_buffer.h"
#include "image.h"

// Info header, colour table and pixels: the bitmap in resource form.
// bitsPerPixel is 4 or 8; the table has 2^bitsPerPixel entries.
ByteBuffer packedDib(const IndexedImage& image, int bitsPerPixel);

// The same with the 14-byte file header in front: a .bmp file.
ByteBuffer bmpFile(const IndexedImage& image, int bitsPerPixel);

// Bytes in one stored row of pixels at the given depth.
int dibRowBytes(int width, int bitsPerPixel);

// Appends the 4 or 8 bpp pixel rows bottom-up; shared with the icon writer.
void appendPixelRows(ByteBuffer& out, const IndexedImage& image, int bitsPerPixel);

// Appends 2^bitsPerPixel colour table entries, padding with black.
void appendColourTable(ByteBuffer& out, const IndexedImage& image, int bitsPerPixel);

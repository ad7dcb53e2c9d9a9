#include "byte_buffer.h"

#include <cstdio>

void ByteBuffer::u16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteBuffer::u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
}

void ByteBuffer::tag(const char fourcc[4]) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(fourcc[i]));
}

void ByteBuffer::append(const ByteBuffer& other) {
    bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
}

bool writeFile(const std::string& path, const ByteBuffer& buffer) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    size_t n = buffer.size();
    bool ok = n == 0 || std::fwrite(buffer.bytes().data(), 1, n, f) == n;
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

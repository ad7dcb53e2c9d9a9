#pragma once
// Little-endian byte assembly for the RIFF, BMP and ICO writers, and the
// one place that touches the file system.
#include <cstdint>
#include <string>
#include <vector>

class ByteBuffer {
public:
    void u8(uint8_t v) { bytes_.push_back(v); }
    void u16(uint16_t v);
    void u32(uint32_t v);
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void tag(const char fourcc[4]);
    void append(const ByteBuffer& other);
    void zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Writes the buffer to path; false if the file could not be written whole.
bool writeFile(const std::string& path, const ByteBuffer& buffer);

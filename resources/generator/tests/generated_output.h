#pragma once
// Helpers shared by the file tests: running the generator into a fresh
// folder and reading little-endian fields out of what it wrote.
#include <cstdint>
#include <string>
#include <vector>

// A new empty folder under the system's temporary directory.
std::string makeTempDir();

// Runs aokiri-artgen into `dir`; returns its exit status.
int runGenerator(const std::string& dir);

// The output of one run shared by the tests that only read it: the folder
// named by AOKIRI_ARTGEN_OUT (CTest fills it once), else a run made on
// first use.
const std::string& generatedDir();

std::vector<uint8_t> readFileBytes(const std::string& path);

inline uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8);
}
inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b.at(at)) | static_cast<uint32_t>(b.at(at + 1)) << 8 |
           static_cast<uint32_t>(b.at(at + 2)) << 16 | static_cast<uint32_t>(b.at(at + 3)) << 24;
}
inline int32_t le32s(const std::vector<uint8_t>& b, size_t at) { return static_cast<int32_t>(le32(b, at)); }
inline std::string fourcc(const std::vector<uint8_t>& b, size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

// Every file the generator writes.
const std::vector<std::string>& expectedFiles();

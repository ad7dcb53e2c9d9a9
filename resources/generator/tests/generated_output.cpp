#include "generated_output.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

std::string makeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "aokiri-artgen-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    char* made = mkdtemp(buf.data());
    return made ? std::string(made) : std::string();
}

int runGenerator(const std::string& dir) {
    std::string command = std::string("\"") + ARTGEN_EXE + "\" \"" + dir + "\"";
    return std::system(command.c_str());
}

const std::string& generatedDir() {
    static const std::string dir = [] {
        // Under CTest one run of the generator serves every test process.
        if (const char* shared = std::getenv("AOKIRI_ARTGEN_OUT")) return std::string(shared);
        std::string d = makeTempDir();
        if (d.empty() || runGenerator(d) != 0) return std::string();
        return d;
    }();
    return dir;
}

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::vector<uint8_t> out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return out;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + n);
    std::fclose(f);
    return out;
}

const std::vector<std::string>& expectedFiles() {
    static const std::vector<std::string> files = {
        "BITMAP00.bmp", "BITMAP01.bmp", "BITMAP02.bmp", "BITMAP03.bmp", "BITMAP04.bmp",
        "BITMAP05.bmp", "BITMAP170.bmp", "ICON100.ico", "ICON101.ico", "ICON154.ico",
        "ICON208.ico", "ICON209.ico", "WAVE148.wav", "WAVE152.wav",
    };
    return files;
}

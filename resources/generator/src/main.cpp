// aokiri-artgen OUTDIR: writes the saver's pictures and sounds, the same
// bytes on every run, for the resource script to embed.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "artwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: aokiri-artgen OUTDIR\n");
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(argv[1], ec);
    if (ec) {
        std::fprintf(stderr, "aokiri-artgen: cannot create %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    return writeArtwork(argv[1]) == 0 ? 0 : 1;
}

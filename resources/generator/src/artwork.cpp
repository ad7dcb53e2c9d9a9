#include "artwork.h"

#include <cstdio>

#include "bmp_writer.h"
#include "ico_writer.h"
#include "icons.h"
#include "quantize.h"
#include "scenes.h"
#include "title_bitmap.h"
#include "wave_synth.h"
#include "wave_writer.h"

namespace {

int save(const std::string& outdir, const char* name, const ByteBuffer& bytes) {
    std::string path = outdir + "/" + name;
    if (writeFile(path, bytes)) return 0;
    std::fprintf(stderr, "aokiri-artgen: cannot write %s\n", path.c_str());
    return 1;
}

// Each frame gets its own 256-colour table, chosen from its own pixels.
int saveFrames(const std::string& outdir, const Image frames[kFramesPerView], int firstNumber) {
    int failures = 0;
    for (int f = 0; f < kFramesPerView; ++f) {
        IndexedImage indexed = quantize(frames[f], QuantizeOptions{});
        char name[32];
        std::snprintf(name, sizeof name, "BITMAP%02d.bmp", firstNumber + f);
        failures += save(outdir, name, bmpFile(indexed, 8));
    }
    return failures;
}

} // namespace

int writeArtwork(const std::string& outdir) {
    int failures = 0;
    Image far[kFramesPerView];
    renderFarView(far);
    failures += saveFrames(outdir, far, 0);
    {
        Image near[kFramesPerView];
        renderNearView(near);
        failures += saveFrames(outdir, near, 3);
    }

    failures += save(outdir, "WAVE148.wav", waveFile(synthesiseWater(farWaterSound()), true));
    failures += save(outdir, "WAVE152.wav", waveFile(synthesiseWater(nearWaterSound()), false));

    failures += save(outdir, "ICON100.ico", iconFile(icon100()));
    failures += save(outdir, "ICON101.ico", iconFile(icon101()));
    failures += save(outdir, "ICON154.ico", iconFile(icon154()));
    failures += save(outdir, "ICON208.ico", iconFile(icon208()));
    failures += save(outdir, "ICON209.ico", iconFile(icon209(far[0])));

    failures += save(outdir, "BITMAP170.bmp", bmpFile(titleBitmap(far[0]), 4));
    return failures;
}

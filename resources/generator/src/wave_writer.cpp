#include "wave_writer.h"

ByteBuffer waveFile(const StereoPcm& pcm, bool withFactChunk) {
    const uint32_t frames = static_cast<uint32_t>(pcm.left.size());
    const uint32_t dataBytes = frames * 4;
    ByteBuffer body;
    body.tag("WAVE");
    body.tag("fmt ");
    body.u32(16);
    body.u16(1); // PCM
    body.u16(2);
    body.u32(static_cast<uint32_t>(pcm.sampleRate));
    body.u32(static_cast<uint32_t>(pcm.sampleRate) * 4);
    body.u16(4);
    body.u16(16);
    if (withFactChunk) {
        body.tag("fact");
        body.u32(4);
        body.u32(frames);
    }
    body.tag("data");
    body.u32(dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        body.u16(static_cast<uint16_t>(pcm.left[i]));
        body.u16(static_cast<uint16_t>(pcm.right[i]));
    }
    ByteBuffer out;
    out.tag("RIFF");
    out.u32(static_cast<uint32_t>(body.size()));
    out.append(body);
    return out;
}

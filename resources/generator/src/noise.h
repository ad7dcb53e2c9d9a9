#pragma once
// Value noise and fractal sums of it. Lattice values come from an integer
// hash, so the noise is the same everywhere. A period (in lattice cells of
// the first octave) makes the noise repeat along an axis: the water's
// animation loops because its texture repeats exactly.
#include <cstdint>

namespace noise {

uint32_t hash(int32_t x, int32_t y, uint32_t seed);

// Smooth noise in [0, 1]; period 0 means no repetition on that axis.
float value(float x, float y, uint32_t seed, int periodX = 0, int periodY = 0);

// Fractal sum of `octaves` layers, each twice the frequency and half the
// amplitude of the one before; normalised to [0, 1].
float fbm(float x, float y, uint32_t seed, int octaves, int periodX = 0, int periodY = 0);

// Ridged variant: sharp creases where the noise crosses its middle, for
// cracks in rock and foam veins. In [0, 1], 1 on the crease.
float ridged(float x, float y, uint32_t seed, int octaves, int periodX = 0, int periodY = 0);

} // namespace noise

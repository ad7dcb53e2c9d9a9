#pragma once
// The surfaces both views are made of: rock, forest, falling water, foam
// and mist. Each is a function of the position (in pixels of the view) so a
// scene is a stack of these layers with its own geometry.
#include <cstdint>

#include "image.h"

namespace mat {

// Palette of the scene: a cool, misty morning in a gorge.
extern const Rgb kMist;      // the blue mist that gives the falls their name
extern const Rgb kFoam;      // white water, faintly blue
extern const Rgb kDeepWater; // shadowed pool

// Layered rock with strata, cracks, moss and light from the upper left.
// `scale` is the size of the main features in pixels; `wet` darkens and
// blues the rock near water (0..1).
Rgb rock(float x, float y, uint32_t seed, float scale, float wet);

// Canopy of conifers seen from afar: clumps, lit edges, dark gaps.
Rgb foliage(float x, float y, uint32_t seed, float scale);

// Height of a row of conifer tops above a base line at x: pointed crowns
// `spacing` pixels apart, between minHeight and maxHeight tall.
float treeline(float x, uint32_t seed, float spacing, float minHeight, float maxHeight);

// Brightness (0..1) of falling water. `across` runs over the width of the
// column, `along` down the fall; the texture repeats every `period` along
// the fall and frame f shows it moved by a third of that, so three frames
// loop. `grain` is the width of a streak in pixels.
float fallingWater(float across, float along, int frame, float period, float grain, uint32_t seed);

// Churning foam (0..1) drifting outward from a plunge point; `radial` is the
// distance from it, repeating every `period` and moving a third per frame.
float foam(float x, float radial, int frame, float period, float grain, uint32_t seed);

// Spray and mist puffs (0..1) rising by a third of `period` every frame.
float rollingMist(float x, float y, int frame, float period, float scale, uint32_t seed);

} // namespace mat

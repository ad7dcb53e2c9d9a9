#pragma once
// Soft light bleeding from bright water into the air around it: the glow
// that makes the mist look lit rather than painted on.
#include "image.h"

// Blurs (three box passes, close to a Gaussian) in place.
void blur(Image& image, int radius);

// Adds a blurred copy of everything brighter than `threshold`.
void addGlow(Image& image, float threshold, int radius, float strength);

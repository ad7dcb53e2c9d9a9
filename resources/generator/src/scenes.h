#pragma once
// The two views of the falls, each rendered as three true-colour frames
// that loop: 0, 1, 2, 0, ...
#include "image.h"

constexpr int kFrameWidth = 480;
constexpr int kFrameHeight = 640;
constexpr int kFramesPerView = 3;

// The whole fall from across the gorge.
void renderFarView(Image frames[kFramesPerView]);

// Close to the plunge: the falling sheet and its spray fill the frame.
void renderNearView(Image frames[kFramesPerView]);

// A rectangle of each view where nothing moves (rock and forest far from
// the water), in pixels, top row first.
struct StillArea {
    int x0, y0, x1, y1; // half-open
};
StillArea farStillArea();
StillArea nearStillArea();

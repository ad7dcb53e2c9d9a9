#pragma once
// The icon groups: small waterfall motifs drawn from shapes, sampled 4 x 4
// per pixel, and reduced to 16 or 256 colours with black kept at entry 0
// for the transparent pixels.
#include <vector>

#include "ico_writer.h"
#include "image.h"

std::vector<IconImage> icon100();                    // fall over rock, 32 px, 16 colours
std::vector<IconImage> icon101();                    // the same at 32/16c, 48/256c, 16/16c
std::vector<IconImage> icon154();                    // water drop, 32 px, 16 colours
std::vector<IconImage> icon208();                    // mist swirl, 32 px, 256 colours
std::vector<IconImage> icon209(const Image& farView); // the far view in a rounded tile, 32 px, 256 colours

// Box-filtered shrink of a square part of an image (x0, y0, side) to n x n.
Image shrink(const Image& source, int x0, int y0, int side, int n);

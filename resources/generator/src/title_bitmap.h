#pragma once
// The settings dialog's title picture: a small view of the fall with the
// name lettered over it in a hand-made pixel font (no system fonts, so the
// picture is the same wherever it is built).
#include "image.h"

// 60 x 60, 16 colours; `farView` is a rendered far frame.
IndexedImage titleBitmap(const Image& farView);

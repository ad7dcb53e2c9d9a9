// How many GDI objects, and how many of them device contexts, the process
// holds.
#pragma once

struct GdiCount {
    unsigned objects;
    unsigned deviceContexts;
};

GdiCount CountGdiObjects();

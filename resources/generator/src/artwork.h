#pragma once
// Every file the resource script takes, written into one folder.
#include <string>

// Writes the frames, sounds, icons and title picture into `outdir` (which
// must exist). Returns the number of files that could not be written.
int writeArtwork(const std::string& outdir);

#pragma once

#include <string>

#include "tools/bench/capture_maps.h"

// Writes the picture as a PNG file; false when the file cannot be written.
bool writePng(const std::string& path, const Image8& image);

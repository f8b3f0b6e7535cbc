#pragma once

#include <string>

// Software rasterisers answer GL_TIME_ELAPSED queries with numbers that have
// nothing to do with the time spent (an SSAO pass of 117 ms wall clock was
// reported as 0.41 ms on llvmpipe), so passes there are timed on the CPU.
bool isSoftwareRenderer(const std::string& glRenderer);

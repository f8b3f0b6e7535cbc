#pragma once

#include <string>

// The scene's SSAO shader tests kSamplesPerPixel of its 32 kernel samples in
// each pixel, the subset picked by the pixel's place in the noise tile, and
// relies on the blur to gather all 32. Its brute-force twin tests all 32 in
// every pixel (one subset, starting at sample 0) and is otherwise the same
// source; comparing the two blurred results shows what
// the interleaving costs in quality. Returns the twin's source, or an empty
// string with the reason in error when the source lacks a line it must
// change (the shader was rewritten and this derivation must follow).
std::string bruteForceSsaoSource(const std::string& interleavedSource, std::string& error);

#pragma once

#include <cstdint>

// Tileable gradient noise over the unit square: every function repeats with
// period 1 in u and v, so textures built from it wrap without seams.
// frequency must be a power of two (at most 256 after the octaves).

// One octave of noise, about -1 to 1.
float tileNoise(float u, float v, int frequency, float seed);

// One octave with separate frequencies along u and v (grain, brushing, strokes).
float tileNoise2(float u, float v, int frequencyU, int frequencyV, float seed);

// Fractal sum of octaves, each at twice the frequency and gain times the amplitude; about -1 to 1.
float tileFbm(float u, float v, int frequency, int octaves, float gain, float seed);

// Sum of absolute octaves (creases and veins); 0 to about 1.
float tileTurbulence(float u, float v, int frequency, int octaves, float gain, float seed);

// A deterministic hash of integers to [0, 1).
float hash01(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);

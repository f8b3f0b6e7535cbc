// The one translation unit that holds the noise implementation.
#define STB_PERLIN_IMPLEMENTATION
#include <stb_perlin.h>

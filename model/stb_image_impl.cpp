// The one translation unit that holds the image decoder's implementation.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#version 330 core
// 4 x 4 box over the raw occlusion: exactly one noise tile, so each pixel
// gathers all four kernel subsets with all sixteen rotations and the tile
// pattern cancels out.

out float blurred;

in vec2 texCoords;

uniform sampler2D ssaoInput;

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    ivec2 last = textureSize(ssaoInput, 0) - 1;
    float sum = 0.0;
    for (int y = -2; y < 2; ++y) {
        for (int x = -2; x < 2; ++x) {
            // Clamped, not wrapped: the far edge of the screen is no neighbour.
            sum += texelFetch(ssaoInput, clamp(pixel + ivec2(x, y), ivec2(0), last), 0).r;
        }
    }
    blurred = sum / 16.0;
}

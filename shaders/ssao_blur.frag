#version 330 core
#extension GL_ARB_texture_gather : enable
// 4 x 4 box over the raw occlusion: exactly one noise tile, so each pixel
// gathers every kernel subset with all sixteen rotations and the tile
// pattern cancels out.

out float blurred;

in vec2 texCoords;

uniform sampler2D ssaoInput;

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    ivec2 size = textureSize(ssaoInput, 0);
#ifdef GL_ARB_texture_gather
    // Four gathers of 2 x 2 texels each, at the texel corners around the
    // pixel (clamped so that the window stays on screen rather than wrap).
    vec2 texel = 1.0 / vec2(size);
    vec2 low = clamp(vec2(pixel - 1), vec2(1.0), vec2(size - 3)) * texel;
    vec2 high = low + 2.0 * texel;
    vec4 sum = textureGather(ssaoInput, low) + textureGather(ssaoInput, vec2(high.x, low.y)) +
               textureGather(ssaoInput, vec2(low.x, high.y)) + textureGather(ssaoInput, high);
    blurred = dot(sum, vec4(1.0 / 16.0));
#else
    ivec2 last = size - 1;
    float sum = 0.0;
    for (int y = -2; y < 2; ++y)
        for (int x = -2; x < 2; ++x) sum += texelFetch(ssaoInput, clamp(pixel + ivec2(x, y), ivec2(0), last), 0).r;
    blurred = sum / 16.0;
#endif
}

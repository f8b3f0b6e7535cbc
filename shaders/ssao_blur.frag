#version 330 core
#extension GL_ARB_texture_gather : enable
// 4 x 4 box over the raw occlusion: exactly one noise tile, so each pixel
// gathers every kernel subset with all sixteen rotations and the tile
// pattern cancels out. The box spans two pixels below and to the left and
// one above and to the right; ssao.frag estimates each pixel's occlusion
// half a pixel up and to the right, so the average centres on the pixel.
// Each raw value carries its visibility (high four bits) and a class of its
// depth (low four, counted modulo 16; see ssao.frag): a neighbour whose
// class is more than one from the pixel's own lies across a depth edge and
// is left out, so occlusion does not bleed from one surface onto another.

out float blurred;

in vec2 texCoords;

uniform sampler2D ssaoInput;

const float kVisibilityLevels = 15.0;
const float kDepthClasses = 16.0;

// Adds the raw values to sum (visibility levels) and count, for those within
// one depth class of centreClass.
void accumulate(vec4 raw, float centreClass, inout float sum, inout float count) {
    vec4 code = floor(raw * 255.0 + 0.5);
    vec4 depthClass = mod(code, kDepthClasses);
    vec4 apart = abs(depthClass - centreClass);
    vec4 near = step(min(apart, kDepthClasses - apart), vec4(1.0));
    sum += dot(near, code - depthClass) / kDepthClasses;
    count += dot(near, vec4(1.0));
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    ivec2 size = textureSize(ssaoInput, 0);
    float sum = 0.0;
    float count = 0.0;
#ifdef GL_ARB_texture_gather
    // Four gathers of 2 x 2 texels each, at the texel corners around the
    // pixel (clamped so that the window stays on screen rather than wrap).
    vec2 texel = 1.0 / vec2(size);
    vec2 low = clamp(vec2(pixel - 1), vec2(1.0), vec2(size - 3)) * texel;
    vec2 high = low + 2.0 * texel;
    vec4 lowLow = textureGather(ssaoInput, low);
    vec4 highLow = textureGather(ssaoInput, vec2(high.x, low.y));
    vec4 lowHigh = textureGather(ssaoInput, vec2(low.x, high.y));
    vec4 highHigh = textureGather(ssaoInput, high);
    // The last gather's lower left texel is the pixel itself (off the
    // screen's outer two rows and columns, where the window is clamped).
    float centreClass = mod(floor(highHigh.w * 255.0 + 0.5), kDepthClasses);
    accumulate(lowLow, centreClass, sum, count);
    accumulate(highLow, centreClass, sum, count);
    accumulate(lowHigh, centreClass, sum, count);
    accumulate(highHigh, centreClass, sum, count);
#else
    ivec2 last = size - 1;
    float centreClass = mod(floor(texelFetch(ssaoInput, pixel, 0).r * 255.0 + 0.5), kDepthClasses);
    for (int y = -2; y < 2; ++y) {
        vec4 row;
        for (int x = 0; x < 4; ++x) row[x] = texelFetch(ssaoInput, clamp(pixel + ivec2(x - 2, y), ivec2(0), last), 0).r;
        accumulate(row, centreClass, sum, count);
    }
#endif
    blurred = sum / (count * kVisibilityLevels);
}

#version 330 core
#extension GL_ARB_texture_gather : enable
// 4 x 4 box over the raw occlusion: exactly one noise tile, so each pixel
// gathers every kernel subset with all sixteen rotations and the tile
// pattern cancels out. (An even box cannot centre on its pixel: it spans
// two pixels below and to the left and one above and to the right; ssao.frag
// estimates each pixel half a pixel up and to the right, which centres the
// average on the pixel.)
// Each raw value carries its visibility (high four bits) and a class of its
// depth (low four, counted modulo 16; see ssao.frag): a neighbour whose
// class is more than one from the pixel's own lies across a depth edge and
// is left out, so occlusion does not bleed from one surface onto another.

out float blurred;

in vec2 texCoords;

uniform sampler2D ssaoInput;

const float kVisibilityLevels = 15.0;
const float kDepthClasses = 16.0;

// Adds the raw values' visibility levels to sum and 1 to count for each of
// them within one depth class of the centre. In sixteenths a raw code is
// level + class / 16, so past the centre's code less 1.5 sixteenths the
// fraction is below 3 sixteenths just for the classes next to the centre's
// (modulo 16).
void accumulate(vec4 raw, float lowest, inout vec4 sum, inout vec4 count) {
    vec4 code = raw * (255.0 / kDepthClasses);
    vec4 near = vec4(lessThan(fract(code - lowest), vec4(3.0 / kDepthClasses)));
    sum += near * floor(code + 0.5 / kDepthClasses);
    count += near;
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    ivec2 size = textureSize(ssaoInput, 0);
    vec4 sum = vec4(0.0);
    vec4 count = vec4(0.0);
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
    float lowest = highHigh.w * (255.0 / kDepthClasses) - 1.5 / kDepthClasses;
    accumulate(lowLow, lowest, sum, count);
    accumulate(highLow, lowest, sum, count);
    accumulate(lowHigh, lowest, sum, count);
    accumulate(highHigh, lowest, sum, count);
#else
    ivec2 last = size - 1;
    float lowest = texelFetch(ssaoInput, pixel, 0).r * (255.0 / kDepthClasses) - 1.5 / kDepthClasses;
    for (int y = -2; y < 2; ++y) {
        vec4 row;
        for (int x = 0; x < 4; ++x) row[x] = texelFetch(ssaoInput, clamp(pixel + ivec2(x - 2, y), ivec2(0), last), 0).r;
        accumulate(row, lowest, sum, count);
    }
#endif
    blurred = dot(sum, vec4(1.0)) / (dot(count, vec4(1.0)) * kVisibilityLevels);
}

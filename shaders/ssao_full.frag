#version 330 core
// The brute-force twin of ssao.frag, for rtg-bench's SSAO check: every
// pixel tests all 32 kernel samples (one subset, starting at sample 0), so
// comparing the two blurred results shows what the interleaving costs in
// quality. The demo never reads this file. Apart from this comment and the
// two lines that set kSamplesPerPixel and subset it must stay ssao.frag's
// copy (a unit test holds the two files to that).

out float occlusion;

in vec2 texCoords;

uniform sampler2D gPosition;
uniform sampler2D gNormal;
uniform sampler2D texNoise;

uniform vec3 samples[32];
uniform mat4 projection;
uniform float power;   // exponent applied to the ambient visibility
uniform float radius;  // sets the reach of the kernel (see above)
uniform vec2 noiseScale;

const int kKernelSize = 32;
const int kSamplesPerPixel = 32;
const int kSubsetCount = kKernelSize / kSamplesPerPixel;
const float kReachPerRadius = 0.15;
// Depth offset that a sample must clear to count as occluded: a constant
// part, a part that grows with distance, since 16-bit float positions lose
// precision far away, and a part for the stored face normal's 4 degrees.
const float kBias = 0.02;
const float kBiasPerUnitDepth = 0.002;
const float kBiasPerUnitReach = 0.07;
// A half-pixel step longer than this share of the reach crosses a depth
// edge or runs almost along the ray: the pixel's own point is used.
const float kLongestShiftPerReach = 0.1;
const float kVisibilityLevels = 15.0;
const float kDepthClasses = 16.0;

vec3 octahedralDecode(vec2 e) {
    vec3 n = vec3(e, 1.0 - abs(e.x) - abs(e.y));
    float t = max(-n.z, 0.0);
    n.xy += vec2(n.x >= 0.0 ? -t : t, n.y >= 0.0 ? -t : t);
    return normalize(n);
}

// The face normal in the mantissa of gNormal.z (ssao_geometry.frag).
vec3 faceNormal(float packedSurface) {
    uint axes = (floatBitsToUint(packedSurface) >> 13) & 1023u;
    return octahedralDecode(vec2(float(axes & 31u), float(axes >> 5)) * (2.0 / 31.0) - 1.0);
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 position = texelFetch(gPosition, pixel, 0).xyz;
    float packedSurface = texelFetch(gNormal, pixel, 0).z;
    vec3 normal = faceNormal(packedSurface);
    vec3 noise = texture(texNoise, texCoords * noiseScale).xyz;
    float reach = radius * kReachPerRadius;

    // Gram-Schmidt the noise vector into a frame around the normal (with a
    // fallback axis for the rare noise vector parallel to it).
    vec3 tangent = noise - normal * dot(noise, normal);
    vec3 fallback = abs(normal.x) < 0.9 ? vec3(1.0, 0.0, 0.0) : vec3(0.0, 1.0, 0.0);
    tangent = dot(tangent, tangent) > 1e-6 ? tangent : fallback - normal * dot(fallback, normal);
    tangent = normalize(tangent);
    mat3 frame = mat3(tangent, cross(normal, tangent), normal) * reach;

    // Both camera projections are of the form x' = a x + b z + c,
    // y' = d y + e z + f, w = g z + h.
    vec3 projectX = vec3(projection[0][0], projection[2][0], projection[3][0]);
    vec3 projectY = vec3(projection[1][1], projection[2][1], projection[3][1]);
    vec2 projectW = vec2(projection[2][3], projection[3][3]);

    // The point of the pixel's plane seen at the pixel's upper right corner,
    // half a step along both screen derivatives of the position. Where a
    // neighbour of the 2 x 2 block lies across a depth edge, or the plane is
    // seen at a grazing angle, the step is long: then the pixel's own point
    // is used.
    vec3 shift = 0.5 * (dFdx(position) + dFdy(position));
    float longest = kLongestShiftPerReach * reach;
    vec3 centre = dot(shift, shift) < longest * longest ? position + shift : position;

    // Neighbouring pixels take different subsets, strided through the kernel
    // so that each subset holds near and far samples alike.
    int subset = 0;
    subset = kSubsetCount == 8 ? subset + 4 * ((pixel.x >> 1) & 1) : subset;
    float bias = kBias + kBiasPerUnitDepth * abs(position.z) + kBiasPerUnitReach * reach;
    float inverseSquaredReach = 1.0 / (reach * reach);
    float occluded = 0.0;
    for (int i = 0; i < kSamplesPerPixel; ++i) {
        vec3 offset = frame * samples[subset + kSubsetCount * i];
        vec3 p = centre + offset;
        float w = projectW.x * p.z + projectW.y;
        vec2 ndc = vec2(dot(projectX, vec3(p.xz, 1.0)), dot(projectY, vec3(p.yz, 1.0))) / w;
        // Off-screen samples read the clamped edge, which is close enough.
        vec3 scene = textureLod(gPosition, ndc * 0.5 + 0.5, 0.0).xyz;
        // Range check: an occluder counts less the farther it is from this
        // point, and not at all beyond the reach, so distant foreground
        // objects leave no dark halos. Background holds the cleared 0; no
        // surface lies exactly at the eye's depth (a perspective view ends at
        // its near plane), so z = 0 never occludes.
        vec3 toScene = scene - centre;
        float falloff = clamp(1.0 - dot(toScene, toScene) * inverseSquaredReach, 0.0, 1.0);
        occluded += (scene.z >= p.z + bias && scene.z != 0.0) ? falloff : 0.0;
    }
    float visibility = pow(1.0 - occluded / float(kSamplesPerPixel), power);
    // Background pixels (the cleared 0 in gNormal.z, which no surface
    // writes) have nothing to occlude.
    visibility = packedSurface != 0.0 ? visibility : 1.0;

    // A dither over the 4 x 4 tile: the blur's box sees each of its sixteen
    // thresholds once, so the dither averages out to the visibility to
    // within a sixteenth of a level. (The pixel centre's column and row
    // modulo 4, as quarters.)
    vec2 place = fract(gl_FragCoord.xy * 0.25 - 0.125);
    float threshold = place.x * 0.25 + place.y + 0.5 / 16.0;
    float level = floor(visibility * kVisibilityLevels + threshold);
    float depthClass = float((floatBitsToUint(abs(position.z)) >> 20) & 15u);
    occlusion = (level * kDepthClasses + depthClass) / 255.0;
}

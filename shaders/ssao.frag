#version 330 core
// Screen-space ambient occlusion with interleaved sampling: each pixel tests
// kSamplesPerPixel of the 32 kernel samples, the subset chosen by its place
// in the 4 x 4 noise tile (and turned by that tile's noise vector). The 4 x 4
// blur that follows averages every subset several times with different
// rotations, so every kernel sample still contributes to every blurred pixel
// at a fraction of the cost. Four samples per pixel make eight subsets, each
// seen twice by the blur: the blurred result stays within about 0.015 of all
// 32 samples per pixel on average (rtg-bench --ssao-check); eight per pixel
// cost 40 % more of this pass for about 0.005 less.
//
// The loop is free of branches on purpose: a software rasterizer runs both
// sides of every branch anyway and pays extra for the masking.

out float occlusion;

in vec2 texCoords;

uniform sampler2D gPosition;
uniform sampler2D gNormal;
uniform sampler2D texNoise;

uniform vec3 samples[32];
uniform mat4 projection;
uniform float power;   // exponent applied to the ambient visibility
uniform float radius;  // reach of the kernel in view-space units
uniform vec2 noiseScale;

const int kKernelSize = 32;
const int kSamplesPerPixel = 4;
const int kSubsetCount = kKernelSize / kSamplesPerPixel;
// Depth offset that a sample must clear to count as occluded: a constant
// part and a part that grows with distance, since 16-bit float positions
// lose precision far away.
const float kBias = 0.02;
const float kBiasPerUnitDepth = 0.002;

vec3 octahedralDecode(vec2 e) {
    vec3 n = vec3(e, 1.0 - abs(e.x) - abs(e.y));
    float t = max(-n.z, 0.0);
    n.xy += vec2(n.x >= 0.0 ? -t : t, n.y >= 0.0 ? -t : t);
    return normalize(n);
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 position = texelFetch(gPosition, pixel, 0).xyz;
    vec3 packedNormal = texelFetch(gNormal, pixel, 0).xyz;
    vec3 normal = octahedralDecode(packedNormal.xy);
    vec3 noise = texture(texNoise, texCoords * noiseScale).xyz;

    // Gram-Schmidt the noise vector into a frame around the normal (with a
    // fallback axis for the rare noise vector parallel to it).
    vec3 tangent = noise - normal * dot(noise, normal);
    vec3 fallback = abs(normal.x) < 0.9 ? vec3(1.0, 0.0, 0.0) : vec3(0.0, 1.0, 0.0);
    tangent = dot(tangent, tangent) > 1e-6 ? tangent : fallback - normal * dot(fallback, normal);
    tangent = normalize(tangent);
    mat3 frame = mat3(tangent, cross(normal, tangent), normal) * radius;

    // Both camera projections are of the form x' = a x + b z + c,
    // y' = d y + e z + f, w = g z + h.
    vec3 projectX = vec3(projection[0][0], projection[2][0], projection[3][0]);
    vec3 projectY = vec3(projection[1][1], projection[2][1], projection[3][1]);
    vec2 projectW = vec2(projection[2][3], projection[3][3]);

    // Neighbouring pixels take different subsets, strided through the kernel
    // so that each subset holds near and far samples alike.
    int subset = (pixel.x & 1) + 2 * (pixel.y & 1);
    subset = kSubsetCount == 8 ? subset + 4 * ((pixel.x >> 1) & 1) : subset;
    float bias = kBias + kBiasPerUnitDepth * abs(position.z);
    float inverseSquaredRadius = 1.0 / (radius * radius);
    float occluded = 0.0;
    for (int i = 0; i < kSamplesPerPixel; ++i) {
        vec3 offset = frame * samples[subset + kSubsetCount * i];
        vec3 p = position + offset;
        float w = projectW.x * p.z + projectW.y;
        vec2 ndc = vec2(dot(projectX, vec3(p.xz, 1.0)), dot(projectY, vec3(p.yz, 1.0))) / w;
        // Off-screen samples read the clamped edge, which is close enough.
        vec3 scene = textureLod(gPosition, ndc * 0.5 + 0.5, 0.0).xyz;
        // Range check: an occluder counts less the farther it is from this
        // point, and not at all beyond the radius, so distant foreground
        // objects leave no dark halos. Background holds the cleared 0; no
        // surface lies exactly at the eye's depth (a perspective view ends at
        // its near plane), so z = 0 never occludes.
        vec3 toScene = scene - position;
        float falloff = clamp(1.0 - dot(toScene, toScene) * inverseSquaredRadius, 0.0, 1.0);
        occluded += (scene.z >= p.z + bias && scene.z != 0.0) ? falloff : 0.0;
    }
    float visibility = pow(1.0 - occluded / float(kSamplesPerPixel), power);
    // Background pixels (the cleared 0 in the shininess slot, which no
    // surface writes) have nothing to occlude.
    occlusion = packedNormal.z != 0.0 ? visibility : 1.0;
}

#version 330 core
// Screen-space ambient occlusion with interleaved sampling: each pixel tests
// 8 of the 32 kernel samples, the subset chosen by its place in the 4 x 4
// noise tile (and rotated by that tile's noise vector). The 4 x 4 blur that
// follows averages each subset four times with four rotations, so every
// kernel sample still contributes to every blurred pixel at a quarter of the
// cost.

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

const int kSubsetCount = 4;
const int kSamplesPerPixel = 8;  // 32 / kSubsetCount
// Depth offsets that a sample must clear to count as occluded: a constant
// part and a part that grows with distance, since 16-bit float positions
// lose precision far away.
const float kBias = 0.02;
const float kBiasPerUnitDepth = 0.002;
// Occluders much farther from the surface than the sample's own reach are
// separate objects in front of it, not a crease: they fade out (no halos).
const float kRangeFalloff = 1.0;

vec3 octahedralDecode(vec2 e) {
    vec3 n = vec3(e, 1.0 - abs(e.x) - abs(e.y));
    float t = max(-n.z, 0.0);
    n.xy += vec2(n.x >= 0.0 ? -t : t, n.y >= 0.0 ? -t : t);
    return normalize(n);
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 position = texelFetch(gPosition, pixel, 0).xyz;
    if (position.z >= 0.0) {
        occlusion = 1.0;  // background: nothing to occlude
        return;
    }
    vec3 normal = octahedralDecode(texelFetch(gNormal, pixel, 0).xy);
    vec3 noise = texture(texNoise, texCoords * noiseScale).xyz;

    // Gram-Schmidt the noise vector into a tangent frame around the normal.
    vec3 tangent = noise - normal * dot(noise, normal);
    if (dot(tangent, tangent) < 1e-6) tangent = abs(normal.x) < 0.9 ? vec3(1.0, 0.0, 0.0) : vec3(0.0, 1.0, 0.0);
    tangent = normalize(tangent - normal * dot(tangent, normal));
    mat3 tbn = mat3(tangent, cross(normal, tangent), normal);

    // Neighbouring pixels take different subsets; strided so that each subset
    // holds near and far samples alike.
    int subset = (pixel.x & 1) + 2 * (pixel.y & 1);
    float bias = kBias + kBiasPerUnitDepth * -position.z;
    float occluded = 0.0;
    for (int i = 0; i < kSamplesPerPixel; ++i) {
        vec3 offset = tbn * samples[subset + kSubsetCount * i] * radius;
        vec3 samplePosition = position + offset;
        vec4 clip = projection * vec4(samplePosition, 1.0);
        vec2 uv = clip.xy / clip.w * 0.5 + 0.5;
        if (any(lessThan(uv, vec2(0.0))) || any(greaterThan(uv, vec2(1.0)))) continue;
        float sceneDepth = textureLod(gPosition, uv, 0.0).z;
        if (sceneDepth >= 0.0) continue;  // background never occludes
        float reach = length(offset) + bias;
        float range = smoothstep(0.0, 1.0, kRangeFalloff * reach / abs(position.z - sceneDepth));
        occluded += step(samplePosition.z + bias, sceneDepth) * range;
    }
    occlusion = pow(1.0 - occluded / float(kSamplesPerPixel), power);
}

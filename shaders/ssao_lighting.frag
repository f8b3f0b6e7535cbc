#version 330 core
// Deferred lighting: one point light with distance attenuation, normalised
// Blinn-Phong specular, ambient scaled by the blurred occlusion, soft
// shadows from the light's distance cube map, then exposure and a soft
// shoulder, and sRGB-encoded output (the window is not an sRGB framebuffer,
// so the encoding is done here).

out vec4 fragColor;

in vec2 texCoords;

uniform sampler2D gPosition;
uniform sampler2D gNormal;
uniform sampler2D gAlbedoSpec;
uniform sampler2D ssao;
uniform samplerCube depthCubeMap;

struct PointLight {
    vec3 Position;  // view space
    vec3 Color;
    float Linear;
    float Quadratic;
};

uniform PointLight pointLight;
uniform float farPlane;  // far plane of the shadow cube's projection; the cube holds its window depth
uniform mat4 viewMatrix;

// Indirect light, which one point light cannot give: a dim fill, a little
// stronger on surfaces facing down, which see the floor that the lamp lights
// most.
const float kAmbientFacingUp = 0.10;
const float kAmbientFacingDown = 0.13;
const float kEmissiveShininess = 16.0;
// The light as the uniforms give it lights the lamp's pool and leaves the
// rest of the hall to the dim fill: exposure lifts the whole frame, and
// above kShoulderStart a soft shoulder rolls the highlights off towards 1
// instead of clipping them (on the brightest channel, the others scaled
// with it, so that a highlight keeps its hue).
const float kExposure = 2.0;
const float kLog2E = 1.44269504;
const float kShoulderStart = 0.6;
// The levels of a quarter octave in which the geometry pass stores
// shininess and emission (ssao_geometry.frag), counted from these.
const uint kShininessFloor = 508u;  // 1.0
const uint kEmissionFloor = 484u;   // 1/64

// Shadow filtering: taps on a disk around the lookup direction, turned per
// pixel so that the penumbra shows fine noise instead of banding. Four taps
// near the rim come first; only where they disagree (a penumbra) do four
// more, the first ones turned by an eighth of a turn at half the radius.
const int kShadowTaps = 8;
const int kCertainTaps = 4;
const vec2 kShadowRim[4] = vec2[](vec2(0.85, 0.2), vec2(-0.2, 0.85), vec2(-0.85, -0.2), vec2(0.2, -0.85));
const mat2 kInnerTurn = mat2(0.35355339, 0.35355339, -0.35355339, 0.35355339);
const float kShadowMapSize = 1024.0;
// The cube faces' projection: the rasterizer stores the window depth
// s = f (1 - n / m) / (f - n) of a point at distance m along the face's axis
// (n this near plane, f = farPlane).
const float kShadowNearPlane = 0.1;
// The filter radius and offsets, in shadow texels at the receiver's distance.
const float kFilterTexels = 1.75;
const float kNormalOffsetTexels = 1.0;
const float kDepthBiasTexels = 0.75;
// 16-bit float positions: the absolute error grows with view distance.
const float kPositionErrorPerUnit = 0.0012;
// The cube map holds nothing beyond the far plane: a receiver farther away
// is compared as if just inside it, so that it is lit where the map is
// empty along its direction and shadowed where something nearer is stored.
const float kFarPlaneMargin = 0.999;

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

vec3 toneMap(vec3 c) {
    // Linear up to the start, then a rational approach to 1 that leaves it
    // with the same slope.
    float peak = max(max(c.r, c.g), max(c.b, 1e-6)) * kExposure;
    float over = max(peak - kShoulderStart, 0.0);
    float mapped = min(peak, kShoulderStart) + over / (1.0 + over / (1.0 - kShoulderStart));
    return c * (kExposure * mapped / peak);
}

// The sRGB curve from three square roots (within 0.4 of a step of the exact
// curve in 8 bits above the linear toe), far cheaper than pow per channel.
vec3 linearToSrgb(vec3 c) {
    c = clamp(c, 0.0, 1.0);
    vec3 s1 = sqrt(c);
    vec3 s2 = sqrt(s1);
    vec3 s3 = sqrt(s2);
    vec3 curve = 0.585122381 * s1 + 0.783140355 * s2 - 0.368262736 * s3;
    return mix(c * 12.92, curve, step(0.0031308, c));
}

float majorAxis(vec3 d) {
    vec3 a = abs(d);
    return max(a.x, max(a.y, a.z));
}

// Fraction of the light that reaches the surface point at lightToPoint
// (world space, from the light) on a face with world normal n that faces the
// light at the given cosine.
float shadowVisibility(vec3 lightToPoint, vec3 n, float cosine, float viewDistance) {
    float distance = length(lightToPoint);
    // A 90-degree cube face spans 2 x distance at that distance.
    float texel = 2.0 * distance / kShadowMapSize;
    float slope = sqrt(max(1.0 - cosine * cosine, 0.0));
    // Move the lookup off the surface along its normal, more at grazing
    // angles where a texel covers a longer stretch of surface.
    vec3 origin = lightToPoint + n * (texel * kNormalOffsetTexels * (0.5 + slope));
    float bias = texel * kDepthBiasTexels + kPositionErrorPerUnit * viewDistance;

    // An orthonormal frame around the lookup direction (branch-free, after
    // Duff et al.), so the disk lies across the ray.
    float originLength = length(origin);
    vec3 axis = origin / originLength;
    float signZ = axis.z >= 0.0 ? 1.0 : -1.0;
    float a = -1.0 / (signZ + axis.z);
    float b = axis.x * axis.y * a;
    vec3 u = vec3(1.0 + signZ * axis.x * axis.x * a, signZ * b, -signZ * axis.x);
    vec3 v = vec3(b, signZ + axis.y * axis.y * a, -axis.y);

    // Interleaved gradient noise picks the turn; the rational form of the
    // rotation saves the sine and cosine (the disk has no symmetry that a
    // half turn would repeat).
    float t = 2.0 * fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715)))) - 1.0;
    vec2 rotation = vec2(1.0 - t * t, 2.0 * t) / (1.0 + t * t);
    float filterRadius = texel * kFilterTexels;
    mat2 turn = mat2(rotation.x, rotation.y, -rotation.y, rotation.x) * filterRadius;

    // Each tap compares with the receiver's own distance along its direction:
    // the plane through origin with normal n, so that a tilted surface does
    // not shadow itself across the filter disk. The comparison is made along
    // the face axis, the distance the stored depth encodes: with m the
    // receiver's axis distance, it is lit when m <= n / (1 - s (f - n) / f).
    float planeDistance = dot(n, origin);
    vec2 planeSlope = vec2(dot(n, u), dot(n, v));
    float axisBias = bias * majorAxis(origin) / originLength;
    float depthScale = 1.0 - kShadowNearPlane / farPlane;
    float farthest = farPlane * kFarPlaneMargin;
    float lit = 0.0;
    int taps = kCertainTaps;
    int done = 0;
    // A loop, not an if: this renderer shades blocks of pixels together and
    // runs both sides of every if, but leaves a loop once every pixel of the
    // block is done, so only blocks with a penumbra pay for the second round.
    do {
        for (int i = 0; i < kCertainTaps; ++i) {
            vec2 o = turn * kShadowRim[i];
            vec3 direction = origin + u * o.x + v * o.y;
            float facing = min(planeDistance + dot(planeSlope, o), -1e-4);
            float receiver = min(majorAxis(direction) * planeDistance / facing - axisBias, farthest);
            float stored = textureLod(depthCubeMap, direction, 0.0).r;
            lit += receiver * (1.0 - stored * depthScale) <= kShadowNearPlane ? 1.0 : 0.0;
        }
        done += kCertainTaps;
        turn *= kInnerTurn;
        if (done == kCertainTaps && lit > 0.0 && lit < float(kCertainTaps)) taps = kShadowTaps;
    } while (done < taps);
    return lit / float(taps);
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 packedNormal = texelFetch(gNormal, pixel, 0).xyz;
    // Background: no surface writes 0 in gNormal.z (view-space positions
    // may have any sign: an orthographic view also shows geometry behind the
    // eye).
    if (packedNormal.z == 0.0) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    vec3 position = texelFetch(gPosition, pixel, 0).xyz;
    vec3 normal = octahedralDecode(packedNormal.xy);
    vec4 albedoSpec = texelFetch(gAlbedoSpec, pixel, 0);
    vec3 albedo = albedoSpec.rgb * albedoSpec.rgb;
    float specularIntensity = albedoSpec.a;
    // gNormal.z: the sign marks emissive surfaces, the exponent field holds
    // the level plus one, which becomes the top bits of a 32-bit float.
    uint level = ((floatBitsToUint(packedNormal.z) >> 23) & 255u) - 113u;
    bool emissive = packedNormal.z < 0.0;
    float strength = uintBitsToFloat((level + (emissive ? kEmissionFloor : kShininessFloor)) << 21);
    float emission = emissive ? strength : 0.0;
    float shininess = emissive ? kEmissiveShininess : strength;
    float occlusion = texelFetch(ssao, pixel, 0).r;

    mat3 viewToWorld = transpose(mat3(viewMatrix));  // the view is a rotation plus a translation
    vec3 worldNormal = viewToWorld * normal;
    float ambient = mix(kAmbientFacingDown, kAmbientFacingUp, worldNormal.y * 0.5 + 0.5);
    vec3 color = ambient * occlusion * albedo + emission * albedo;

    vec3 toLight = pointLight.Position - position;
    float distance = length(toLight);
    vec3 l = toLight / distance;
    float cosine = dot(normal, l);
    if (cosine > 0.0) {
        // The shadow test follows the face as rasterized, not the normal
        // map. A face turned away from the light (where a smooth or mapped
        // normal still sees it) is tested as if it faced the light squarely:
        // whatever lies nearer in the map, usually its own object, shadows it.
        vec3 face = faceNormal(packedNormal.z);
        float faceCosine = dot(face, l);
        bool facesLight = faceCosine > 0.0;
        float visibility = shadowVisibility(viewToWorld * -toLight, viewToWorld * (facesLight ? face : l),
                                            facesLight ? faceCosine : 1.0, abs(position.z));
        if (visibility > 0.0) {
            float attenuation =
                1.0 / (1.0 + pointLight.Linear * distance + pointLight.Quadratic * distance * distance);
            vec3 h = normalize(l + normalize(-position));
            // Blinn-Phong normalised to the lobe's width, (n + 8) / 8 on the
            // scale where a diffuse surface reflects its albedo, so that a
            // tight highlight is as bright as its energy makes it and shiny
            // materials read as shiny; the specular intensity scales it. The
            // lobe cos^n is taken as exp(n (cos - 1)), which it is within a
            // few per cent where it is bright, for one exp2 instead of pow.
            float highlight = exp2(shininess * kLog2E * (dot(normal, h) - 1.0)) * (shininess + 8.0) / 8.0;
            vec3 radiance = pointLight.Color * (attenuation * visibility * cosine);
            color += radiance * (albedo + specularIntensity * highlight);
        }
    }
    fragColor = vec4(linearToSrgb(toneMap(color)), 1.0);
}

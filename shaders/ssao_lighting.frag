#version 330 core
// Deferred lighting: one point light with distance attenuation, Blinn-Phong
// specular, ambient scaled by the blurred occlusion, soft shadows from the
// light's distance cube map, and sRGB-encoded output (the window is not an
// sRGB framebuffer, so the encoding is done here).

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
uniform float farPlane;  // distances in the cube map are stored over this
uniform mat4 viewMatrix;

// Indirect light, which one point light cannot give: a dim fill, a little
// brighter from above (the lit ceiling and walls bounce light down).
const float kAmbientBelow = 0.05;
const float kAmbientAbove = 0.11;
const float kEmissiveShininess = 16.0;

// Shadow filtering: taps on a disk around the lookup direction, turned per
// pixel so that the penumbra shows fine noise instead of banding.
const int kShadowTaps = 12;
const vec2 kShadowDisk[12] = vec2[](
    vec2(-0.326, -0.406), vec2(-0.840, -0.074), vec2(-0.696, 0.457), vec2(-0.203, 0.621),
    vec2(0.962, -0.195), vec2(0.473, -0.480), vec2(0.519, 0.767), vec2(0.185, -0.893),
    vec2(0.507, 0.064), vec2(0.896, 0.412), vec2(-0.322, -0.933), vec2(-0.792, -0.598));
const float kShadowMapSize = 1024.0;
// The filter radius and offsets, in shadow texels at the receiver's distance.
const float kFilterTexels = 1.75;
const float kNormalOffsetTexels = 1.0;
const float kDepthBiasTexels = 0.75;
// 16-bit float positions: the absolute error grows with view distance.
const float kPositionErrorPerUnit = 0.0012;

vec3 octahedralDecode(vec2 e) {
    vec3 n = vec3(e, 1.0 - abs(e.x) - abs(e.y));
    float t = max(-n.z, 0.0);
    n.xy += vec2(n.x >= 0.0 ? -t : t, n.y >= 0.0 ? -t : t);
    return normalize(n);
}

vec3 linearToSrgb(vec3 c) {
    c = clamp(c, 0.0, 1.0);
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
}

// Fraction of the light that reaches the surface point at lightToPoint
// (world space, from the light) with world normal n.
float shadowVisibility(vec3 lightToPoint, vec3 n, float cosine, float viewDistance) {
    float distance = length(lightToPoint);
    // The cube map holds nothing beyond the far plane: such points are lit.
    if (distance >= farPlane) return 1.0;
    // A 90-degree cube face spans 2 x distance at that distance.
    float texel = 2.0 * distance / kShadowMapSize;
    float slope = sqrt(max(1.0 - cosine * cosine, 0.0));
    // Move the lookup off the surface along its normal, more at grazing
    // angles where a texel covers a longer stretch of surface.
    vec3 origin = lightToPoint + n * (texel * kNormalOffsetTexels * (0.5 + slope));
    float bias = texel * kDepthBiasTexels + kPositionErrorPerUnit * viewDistance;

    vec3 axis = normalize(origin);
    vec3 helper = abs(axis.y) < 0.99 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0);
    vec3 u = normalize(cross(helper, axis));
    vec3 v = cross(axis, u);
    float angle = 6.2831853 * fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715))));
    mat2 turn = mat2(cos(angle), sin(angle), -sin(angle), cos(angle));
    float filterRadius = texel * kFilterTexels;
    float planeDistance = dot(n, origin);

    float lit = 0.0;
    for (int i = 0; i < kShadowTaps; ++i) {
        vec2 o = turn * kShadowDisk[i] * filterRadius;
        vec3 direction = origin + u * o.x + v * o.y;
        // The receiver's own distance along this tap's direction: the plane
        // through origin with normal n, so a tilted surface does not shadow
        // itself across the filter disk.
        float facing = dot(n, direction);
        float receiver = facing < -1e-4 ? length(direction) * planeDistance / facing : length(direction);
        float closest = textureLod(depthCubeMap, direction, 0.0).r * farPlane;
        lit += receiver - bias <= closest ? 1.0 : 0.0;
    }
    return lit / float(kShadowTaps);
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 position = texelFetch(gPosition, pixel, 0).xyz;
    if (position.z >= 0.0) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);  // background
        return;
    }
    vec3 packedNormal = texelFetch(gNormal, pixel, 0).xyz;
    vec3 normal = octahedralDecode(packedNormal.xy);
    vec4 albedoSpec = texelFetch(gAlbedoSpec, pixel, 0);
    vec3 albedo = albedoSpec.rgb * albedoSpec.rgb;
    float specularIntensity = albedoSpec.a;
    float emission = max(-packedNormal.z, 0.0);
    float shininess = packedNormal.z > 0.0 ? packedNormal.z : kEmissiveShininess;
    float occlusion = texelFetch(ssao, pixel, 0).r;

    mat3 viewToWorld = transpose(mat3(viewMatrix));  // the view is a rotation plus a translation
    vec3 worldNormal = viewToWorld * normal;
    float ambient = mix(kAmbientBelow, kAmbientAbove, worldNormal.y * 0.5 + 0.5);
    vec3 color = ambient * occlusion * albedo + emission * albedo;

    vec3 toLight = pointLight.Position - position;
    float distance = length(toLight);
    vec3 l = toLight / distance;
    float cosine = dot(normal, l);
    if (cosine > 0.0) {
        float visibility = shadowVisibility(viewToWorld * -toLight, worldNormal, cosine, -position.z);
        if (visibility > 0.0) {
            float attenuation =
                1.0 / (1.0 + pointLight.Linear * distance + pointLight.Quadratic * distance * distance);
            vec3 h = normalize(l + normalize(-position));
            // Normalised Blinn-Phong: a tighter highlight is brighter, so
            // shininess does not change the reflected energy.
            float highlight = pow(max(dot(normal, h), 0.0), shininess) * (shininess + 8.0) / 8.0;
            vec3 radiance = pointLight.Color * (attenuation * visibility * cosine);
            color += radiance * (albedo + specularIntensity * highlight);
        }
    }
    fragColor = vec4(linearToSrgb(color), 1.0);
}

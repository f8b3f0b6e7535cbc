#version 330 core
// Forward shading: the material's emission plus Blinn-Phong from the point
// light, sRGB-encoded for the window. The light cube is all emission (the
// light sits inside it), so it glows in its emissive colour.

out vec4 fragColor;

in vec3 viewPosition;
in vec3 viewNormal;
in vec2 texCoords;

struct Material {
    vec3 diffuse;
    vec3 specular;
    vec3 emissive;
    float shininess;
};

struct Light {
    vec3 position;  // view space
};

uniform Material material;
uniform Light pointLight;
uniform sampler2D texture_diffuse1;
uniform sampler2D texture_specular1;

const float kMinShininess = 1.0;
// A glowing face still shows the cube's shape: faces turned away from the
// eye are slightly dimmer.
const float kEdgeDimming = 0.25;

// As in the geometry pass's vertex stage: a missing image samples as a 1 x 1 texture (or
// reports size 0); the loader uploads real one-texel images as 2 x 2.
bool hasImage(sampler2D map) {
    ivec2 size = textureSize(map, 0);
    return size.x > 1 || size.y > 1;
}

vec3 srgbToLinear(vec3 c) {
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(0.04045, c));
}

vec3 linearToSrgb(vec3 c) {
    c = clamp(c, 0.0, 1.0);
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
}

void main() {
    vec3 n = normalize(viewNormal);
    vec3 v = normalize(-viewPosition);
    vec4 diffuseTexel = texture(texture_diffuse1, texCoords);
    vec3 surface = hasImage(texture_diffuse1) ? srgbToLinear(diffuseTexel.rgb) : vec3(1.0);
    float facing = max(dot(n, v), 0.0);
    vec3 color = material.emissive * surface * (1.0 - kEdgeDimming + kEdgeDimming * facing);

    vec3 toLight = pointLight.position - viewPosition;
    float distance = length(toLight);
    vec3 l = toLight / max(distance, 1e-4);
    float cosine = dot(n, l);
    if (cosine > 0.0) {
        float shininess = max(material.shininess, kMinShininess);
        vec4 specularTexel = texture(texture_specular1, texCoords);
        float specularMap = hasImage(texture_specular1) ? specularTexel.r : 1.0;
        vec3 h = normalize(l + v);
        float highlight = pow(max(dot(n, h), 0.0), shininess) * (shininess + 8.0) / 8.0;
        color += cosine * (material.diffuse * surface + material.specular * specularMap * highlight);
    }
    fragColor = vec4(linearToSrgb(color), 1.0);
}

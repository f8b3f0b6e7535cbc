#version 330 core
// G-buffer pass: carries view-space position, normal and tangent to the
// fragment stage, which does the per-pixel material work.

layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoords;
layout(location = 3) in vec3 aTangent;

uniform mat4 projection;
uniform mat4 view;
uniform mat4 model;

out VertexData {
    vec3 viewPosition;
    vec3 viewNormal;
    vec3 viewTangent;
    vec2 texCoords;
    flat uint surfaceBits;
    flat vec3 mapSizes;  // longer side of the diffuse, normal and specular maps in texels; 1 or 0 for none
} vs;

struct Material {
    vec3 diffuse;
    vec3 specular;
    vec3 emissive;
    float shininess;
};

uniform Material material;
uniform sampler2D texture_diffuse1;
uniform sampler2D texture_normal1;
uniform sampler2D texture_specular1;

// Shininess and emission go to the G-buffer as levels of a quarter octave:
// the top bits of their 32-bit floats (exponent and two mantissa bits),
// rounded, counted from kShininessFloor and kEmissionFloor (as those top
// bits) and held to 0 to kTopLevel; the lighting pass turns them back into
// floats. They are the same for the whole draw, so they are worked out here
// rather than for every fragment.
const uint kShininessFloor = 508u;  // 1.0
const uint kEmissionFloor = 484u;   // 1/64
const uint kTopLevel = 29u;

// gNormal.z's bits but the face normal (ssao_geometry.frag): the level plus
// one in the 16-bit exponent field, set as the 32-bit one (32-bit e is
// 16-bit e + 112), and the sign for emissive surfaces.
uint surfaceBits() {
    float emission = max(material.emissive.r, max(material.emissive.g, material.emissive.b));
    bool emissive = emission > 0.0;
    // Rounded to the nearest quarter octave: half a step added below the kept bits.
    // A shininess below 1 (or negative, from an imported file) is 1.
    uint top = (floatBitsToUint(emissive ? emission : max(material.shininess, 1.0)) + (1u << 20)) >> 21;
    uint level = uint(clamp(int(top) - int(emissive ? kEmissionFloor : kShininessFloor), 0, int(kTopLevel)));
    return (level + 113u) << 23 | (emissive ? 0x80000000u : 0u);
}

void main() {
    mat4 modelView = view * model;
    vec4 viewPosition = modelView * vec4(aPosition, 1.0);
    // Normals need the inverse transpose to stay perpendicular under a
    // non-uniform scale; tangents lie in the surface and follow it directly.
    // The cofactor matrix is that inverse transpose times the determinant:
    // the fragment stage normalizes, so only the determinant's sign matters.
    mat3 basis = mat3(modelView);
    mat3 cofactor = mat3(cross(basis[1], basis[2]), cross(basis[2], basis[0]), cross(basis[0], basis[1]));
    float orientation = dot(basis[0], cofactor[0]) < 0.0 ? -1.0 : 1.0;
    vs.viewPosition = viewPosition.xyz;
    vs.viewNormal = cofactor * (aNormal * orientation);
    vs.viewTangent = basis * aTangent;
    vs.texCoords = aTexCoords;
    vs.surfaceBits = surfaceBits();
    // The same for the whole draw, so asked here rather than for every
    // fragment. A map whose image failed to load is bound without one: Mesa
    // reports it as 1 x 1 (other drivers as 0 x 0), and the loader uploads a
    // real one-texel image as 2 x 2, so every image is wider than 1.
    ivec2 diffuseSize = textureSize(texture_diffuse1, 0);
    ivec2 normalSize = textureSize(texture_normal1, 0);
    ivec2 specularSize = textureSize(texture_specular1, 0);
    vs.mapSizes = vec3(max(diffuseSize.x, diffuseSize.y), max(normalSize.x, normalSize.y),
                       max(specularSize.x, specularSize.y));
    gl_Position = projection * viewPosition;
}

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
} vs;

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
    gl_Position = projection * viewPosition;
}

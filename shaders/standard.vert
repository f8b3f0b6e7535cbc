#version 330 core
// Forward shading of a single object (the light cube), in view space.

layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoords;

uniform mat4 modelViewProjMat;
uniform mat4 modelViewMat;
uniform mat4 inverseModelViewMat;  // transpose of the inverse, for normals

out vec3 viewPosition;
out vec3 viewNormal;
out vec2 texCoords;

void main() {
    viewPosition = vec3(modelViewMat * vec4(aPosition, 1.0));
    viewNormal = vec3(inverseModelViewMat * vec4(aNormal, 0.0));
    texCoords = aTexCoords;
    gl_Position = modelViewProjMat * vec4(aPosition, 1.0);
}

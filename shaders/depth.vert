#version 330 core
// Shadow cube pass: world-space positions; the geometry stage projects them
// into the six faces.

layout(location = 0) in vec3 aPosition;

uniform mat4 modelMat;

void main() {
    gl_Position = modelMat * vec4(aPosition, 1.0);
}

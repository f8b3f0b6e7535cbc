#version 330 core
// Stores the linear distance to the light over the far plane, the value the
// lighting pass compares against (also in [0, 1], like any depth).

in vec3 worldPosition;

uniform vec3 lightPos;
uniform float farPlane;

void main() {
    gl_FragDepth = length(worldPosition - lightPos) / farPlane;
}

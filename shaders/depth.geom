#version 330 core
// Sends every triangle to each cube face (layer) whose frustum it can touch:
// one draw per mesh fills all six faces.

layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;

uniform mat4 shadowTransformMats[6];

// True when all three corners lie outside the same side or near plane: the
// rasterizer would discard such a triangle anyway, after paying for its
// set-up. (The tests hold in homogeneous coordinates, also behind the light.)
bool outsideFrustum(vec4 a, vec4 b, vec4 c) {
    return (a.x > a.w && b.x > b.w && c.x > c.w) || (a.x < -a.w && b.x < -b.w && c.x < -c.w) ||
           (a.y > a.w && b.y > b.w && c.y > c.w) || (a.y < -a.w && b.y < -b.w && c.y < -c.w) ||
           (a.z < -a.w && b.z < -b.w && c.z < -c.w);
}

void main() {
    for (int face = 0; face < 6; ++face) {
        vec4 a = shadowTransformMats[face] * gl_in[0].gl_Position;
        vec4 b = shadowTransformMats[face] * gl_in[1].gl_Position;
        vec4 c = shadowTransformMats[face] * gl_in[2].gl_Position;
        if (outsideFrustum(a, b, c)) continue;
        gl_Layer = face;
        gl_Position = a;
        EmitVertex();
        gl_Layer = face;
        gl_Position = b;
        EmitVertex();
        gl_Layer = face;
        gl_Position = c;
        EmitVertex();
        EndPrimitive();
    }
}

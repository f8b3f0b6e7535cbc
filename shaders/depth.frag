#version 330 core
// Depth only: the rasterizer's own depth (the face projection's window
// depth) is what the lighting pass reads back. Writing gl_FragDepth here
// would switch off early depth testing and run this stage for every covered
// texel; with nothing written, the rasterizer can skip hidden fragments.

void main() {
}

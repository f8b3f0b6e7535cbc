#pragma once

#include <functional>
#include <vector>

#include <glm/glm.hpp>

// A small software rasteriser for looking at the generated scene before (or
// beside) the real renderer: z-buffered triangles, perspective-correct
// attributes, near-plane clipping. Pure CPU, single thread.

// Called per covered pixel that passes the depth test: x, y (row 0 at the
// top), the barycentric weights of the original triangle's vertices.
using FragmentFn = std::function<void(int x, int y, const glm::vec3& weights)>;

struct DepthTarget {
    int width = 0;
    int height = 0;
    std::vector<float> depth;  // window depth, 0 near .. 1 far

    DepthTarget(int w, int h) : width(w), height(h), depth(static_cast<std::size_t>(w) * h, 1.0f) {}
};

// Draws one triangle given in clip space. cullBack skips triangles that are
// clockwise on screen (seen from behind).
void rasterTriangle(DepthTarget& target, const glm::vec4 clip[3], bool cullBack, const FragmentFn& fragment);

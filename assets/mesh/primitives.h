#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "assets/mesh/mesh_part.h"
#include "assets/mesh/uv_mapping.h"

// Shared building blocks. All are closed or open surfaces seen from the side
// their normals point to; solids face outwards.

// Rectangle origin, origin + edgeU, origin + edgeU + edgeV, origin + edgeV,
// facing cross(edgeU, edgeV). Split into tiles so that every tile's UVs stay
// within [0, 1] (the loader mirrors textures past 1, which would flip the
// normal map's slopes).
MeshPart makeQuad(const glm::vec3& origin, const glm::vec3& edgeU, const glm::vec3& edgeV, UvMapping uv = {});

// One rectangle (no tiling) whose UVs run over uvRect = (u0, v0, u1, v1):
// for pictures, labels and atlas cells.
MeshPart makePictureQuad(const glm::vec3& origin, const glm::vec3& edgeU, const glm::vec3& edgeV,
                         const glm::vec4& uvRect);

// Planar polygon, counter-clockwise seen from the side normal points to.
// UVs are projected: u along the horizontal in-plane axis (x for floors and
// ceilings), v up the plane.
MeshPart makePolygon(const std::vector<glm::vec3>& points, const glm::vec3& normal, UvMapping uv = {});

// Sides of a box that lie against something, so that no air reaches them
// (standing on the floor, against a wall or another part). A box leaves them
// out, and a bevelled box also the chamfers and corners next to them, running
// its other faces out to the full size there so that no gap opens.
enum BoxSide : unsigned {
    kLeftSide = 1u,    // -x
    kRightSide = 2u,   // +x
    kBottomSide = 4u,  // -y
    kTopSide = 8u,     // +y
    kBackSide = 16u,   // -z
    kFrontSide = 32u,  // +z
};

// Axis-aligned box centred on the origin.
MeshPart makeBox(const glm::vec3& size, UvMapping uv = {}, unsigned hiddenSides = 0);

// Box centred on the origin with its edges chamfered by bevel. Sides in
// flatSides are cut off square, like the end of a beam: one flat face over
// the whole section, the other faces running out to it as to a hidden side.
// For an end that meets another part but is not wholly covered by it.
MeshPart makeBevelledBox(const glm::vec3& size, float bevel, UvMapping uv = {}, unsigned hiddenSides = 0,
                         unsigned flatSides = 0);

// Surface of revolution about +y. profile holds (radius, y) points, listed
// so that the surface runs up its outside (from the axis at the bottom,
// outwards, up, and back to the axis at the top for a closed solid). Corners
// sharper than smoothDegrees get split normals. u runs around in whole
// tiles (as many as fit the widest circumference), v along the profile;
// flat rings and discs take planar UVs, x and z seen from above.
MeshPart makeLathe(const std::vector<glm::vec2>& profile, int segments, UvMapping uv = {}, float smoothDegrees = 40.0f);

// Cylinder standing on y = 0 with optional caps.
MeshPart makeCylinder(float radius, float height, int segments, bool caps = true, UvMapping uv = {});

// Frustum (or cone when topRadius is 0) standing on y = 0.
MeshPart makeCone(float bottomRadius, float topRadius, float height, int segments, bool caps = true, UvMapping uv = {});

// Sphere centred on the origin; u runs once around (longitude), v pole to pole.
MeshPart makeSphere(float radius, int segments, int rings, UvMapping uv = {});

// Torus about +y: ring radius R, tube radius r.
MeshPart makeTorus(float ringRadius, float tubeRadius, int segments, int sides, UvMapping uv = {});

// Counter-clockwise outline in the xy plane extruded from z = 0 to z = depth,
// with both caps. Outline corners sharper than smoothDegrees keep hard edges.
MeshPart makeExtrusion(const std::vector<glm::vec2>& outline, float depth, UvMapping uv = {},
                       float smoothDegrees = 0.0f);

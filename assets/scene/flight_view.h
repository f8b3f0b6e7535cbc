#pragma once

#include <glm/glm.hpp>

// How large the camera's flight shows things, so that the room spends its
// triangles and texels where the camera comes close. Sizes are for the
// demo's default 1280 x 720 window.
namespace flight_view {

// Window height the room is detailed for.
constexpr float kDesignHeight = 720.0f;

// Pixels that one world unit spans on screen at one unit from the camera.
float pixelsPerUnitAtOneUnit();

// Smallest distance from p to the flight's path.
float distanceFromFlight(const glm::vec3& p);

// Segments for a circle of the given radius around centre such that its
// outline strays at most about 1.5 pixels from the true circle, seen from
// anywhere on the path (about what the room was first modelled with where
// the camera comes closest): from minimum up to 64.
int circleSegments(float radius, const glm::vec3& centre, int minimum = 6);

// Whether a feature of the given size at p spans at least about 1.5 pixels
// from the closest point of the path: bevels and mouldings smaller than that
// are not worth their triangles.
bool showsDetail(float size, const glm::vec3& p);

// Where a point of a part placed by place ends up.
glm::vec3 placed(const glm::mat4& place, const glm::vec3& local = glm::vec3(0.0f));

}  // namespace flight_view

#include "assets/scene/flight_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/flight.h"
#include "camera/floating_camera.h"

namespace flight_view {

namespace {

// Largest outline error in pixels that a polygon may show for a circle.
constexpr float kOutlinePixels = 1.5f;
// Smallest feature worth modelling, in pixels.
constexpr float kDetailPixels = 1.5f;
// Spacing of the path samples: a fraction of the closest distances that matter.
constexpr float kSampleSpacing = 0.1f;

const std::vector<glm::vec3>& pathSamples() {
    static const std::vector<glm::vec3> samples = [] {
        const std::vector<glm::vec3> points = makeFlightPoints();
        std::vector<glm::vec3> out;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const float length = glm::distance(points[i], points[i + 1]);
            const int steps = std::max(1, static_cast<int>(std::ceil(length / kSampleSpacing)));
            for (int s = 0; s < steps; ++s)
                out.push_back(glm::mix(points[i], points[i + 1], static_cast<float>(s) / static_cast<float>(steps)));
        }
        out.push_back(points.back());
        return out;
    }();
    return samples;
}

}  // namespace

float pixelsPerUnitAtOneUnit() {
    static const float pixels = [] {
        const FloatingCamera camera(16.0f / 9.0f);
        return 0.5f * kDesignHeight * camera.perspectiveMatrix[1][1];
    }();
    return pixels;
}

float distanceFromFlight(const glm::vec3& p) {
    float best = 1e30f;
    for (const glm::vec3& c : pathSamples()) best = std::min(best, glm::distance(p, c));
    return best;
}

int circleSegments(float radius, const glm::vec3& centre, int minimum) {
    const float distance = std::max(distanceFromFlight(centre) - radius, 0.2f);
    // The outline of an n-gon strays radius * (1 - cos(pi / n)) from the circle.
    const float allowed = kOutlinePixels * distance / pixelsPerUnitAtOneUnit();
    int n = minimum;
    if (allowed < radius)
        n = std::max(n, static_cast<int>(std::ceil(3.14159265f / std::acos(1.0f - allowed / radius))));
    return std::min(n, 64);
}

bool showsDetail(float size, const glm::vec3& p) {
    return size * pixelsPerUnitAtOneUnit() >= kDetailPixels * distanceFromFlight(p);
}

glm::vec3 placed(const glm::mat4& place, const glm::vec3& local) { return glm::vec3(place * glm::vec4(local, 1.0f)); }

}  // namespace flight_view

#include "app/flight.h"

namespace {

// One row per point: position, then the yaw and pitch rates of the segment
// that starts there. Rows 47 and 48 carry rates that are never applied.
struct FlightRow {
    float x, y, z, yawRate, pitchRate;
};

constexpr FlightRow kFlightRows[kFlightPointCount] = {
    {0.0f, 8.5f, 22.0f, 0.0f, 45.0f},
    {0.000812f, 8.377933f, 21.812357f, 0.0f, 45.0f},
    {0.001342f, 8.039656f, 21.3287f, 0.0f, 45.0f},
    {0.00163f, 7.527057f, 20.601702f, 0.0f, 45.0f},
    {0.001717f, 6.882024f, 19.68404f, 0.0f, 0.0f},
    {0.001644f, 6.146443f, 18.628391f, 0.0f, 0.0f},
    {0.001449f, 5.362204f, 17.48743f, 0.0f, 0.0f},
    {0.001174f, 4.571191f, 16.313835f, 0.0f, 0.0f},
    {0.000859f, 3.815294f, 15.160281f, 0.0f, 0.0f},
    {0.000543f, 3.1364f, 14.079445f, 0.0f, -45.0f},
    {0.000268f, 2.576396f, 13.124002f, 0.0f, -45.0f},
    {0.000074f, 2.177169f, 12.346627f, 0.0f, -30.0f},
    {0.0f, 1.980608f, 11.8f, -45.0f, 0.0f},
    {-0.016294f, 1.912936f, 11.265711f, -45.0f, 0.0f},
    {-0.059251f, 1.86956f, 10.516995f, -45.0f, 0.0f},
    {-0.119983f, 1.846969f, 9.598234f, -45.0f, 0.0f},
    {-0.189603f, 1.841655f, 8.553807f, 0.0f, 0.0f},
    {-0.259222f, 1.850109f, 7.428094f, 45.0f, 0.0f},
    {-0.319955f, 1.86882f, 6.265474f, 45.0f, 0.0f},
    {-0.362911f, 1.894281f, 5.110329f, 45.0f, 0.0f},
    {-0.379205f, 1.922982f, 4.007036f, 45.0f, 0.0f},
    {-0.359949f, 1.951414f, 2.999978f, 0.0f, 0.0f},
    {-0.296254f, 1.976066f, 2.133532f, 45.0f, 0.0f},
    {-0.179234f, 1.993432f, 1.45208f, 45.0f, 0.0f},
    {0.0f, 2.0f, 1.0f, 90.0f, 0.0f},
    {0.072109f, 2.0f, 0.890955f, 90.0f, 0.0f},
    {0.146752f, 2.0f, 0.782782f, 90.0f, 0.0f},
    {0.227814f, 2.0f, 0.676622f, 90.0f, 0.0f},
    {0.319181f, 2.0f, 0.573616f, 90.0f, 0.0f},
    {0.424738f, 2.0f, 0.474905f, 90.0f, 0.0f},
    {0.548372f, 2.0f, 0.381629f, 90.0f, 0.0f},
    {0.693967f, 2.0f, 0.294929f, 90.0f, 0.0f},
    {0.86541f, 2.0f, 0.215946f, 90.0f, 0.0f},
    {1.066586f, 2.0f, 0.145821f, 90.0f, 0.0f},
    {1.30138f, 2.0f, 0.085694f, 90.0f, 0.0f},
    {1.573679f, 2.0f, 0.036707f, 45.0f, 0.0f},
    {1.887368f, 2.0f, 0.0f, 30.0f, 0.0f},
    {2.292604f, 2.0f, -0.019407f, 0.0f, 0.0f},
    {2.95844f, 2.0f, -0.032078f, 0.0f, 0.0f},
    {3.830557f, 2.0f, -0.038975f, 0.0f, 0.0f},
    {4.85464f, 2.0f, -0.04106f, 0.0f, 0.0f},
    {5.97637f, 2.0f, -0.039296f, 0.0f, 0.0f},
    {7.141431f, 2.0f, -0.034644f, 0.0f, 0.0f},
    {8.295506f, 2.0f, -0.028068f, 0.0f, 0.0f},
    {9.384279f, 2.0f, -0.02053f, 0.0f, 0.0f},
    {10.353432f, 2.0f, -0.012992f, 0.0f, 0.0f},
    {11.148647f, 2.0f, -0.006416f, 0.0f, 0.0f},
    {11.71561f, 2.0f, -0.001764f, 0.0f, 0.0f},
    {12.0f, 2.0f, 0.0f, 0.0f, 0.0f},
};

}  // namespace

std::vector<glm::vec3> makeFlightPoints() {
    std::vector<glm::vec3> points;
    points.reserve(kFlightPointCount);
    for (const FlightRow& row : kFlightRows) points.emplace_back(row.x, row.y, row.z);
    return points;
}

std::vector<glm::vec2> makeFlightRates() {
    std::vector<glm::vec2> rates;
    rates.reserve(kFlightPointCount);
    for (const FlightRow& row : kFlightRows) rates.emplace_back(row.yawRate, row.pitchRate);
    return rates;
}

Flight::Flight() : points(makeFlightPoints()), rates(makeFlightRates()) { restart(); }

void Flight::restart() {
    flying = true;
    segmentIndex = 0;
    segmentProgress = 0.0f;
    segmentStart = points[0];
    segmentEnd = points[1];
    segmentRates = rates[0];
    finalPoint = points.back();
}

void Flight::step(FPSCamera& camera, float deltaTime) {
    if (!flying) return;
    if (segmentEnd == finalPoint) {
        camera.setPosition(finalPoint);
        return;
    }
    const float t = segmentProgress;
    camera.setPosition((1.0f - t) * segmentStart + t * segmentEnd);
    const float length = glm::distance(segmentStart, segmentEnd);
    segmentProgress += (1.0f / (2.0f * length)) * deltaTime;
    camera.rotate(segmentRates.x * deltaTime * 0.5f, segmentRates.y * deltaTime * 0.5f);
    // Whatever the frame's length, it completes at most this one segment;
    // the progress beyond its end is dropped.
    if (segmentProgress > 1.0f) {
        segmentIndex += 1;
        segmentStart = points[segmentIndex];
        segmentEnd = points[segmentIndex + 1];
        segmentRates = rates[segmentIndex];
        segmentProgress = 0.0f;
    }
}

void Flight::toggle(FPSCamera& camera) {
    if (flying) {
        flying = false;
        return;
    }
    restart();
    camera.resetOrientation();
}

#include <cmath>

#include <stb_perlin.h>

#include "assets/texture/noise.h"
#include "assets/texture/paint.h"
#include "assets/texture/recipes.h"

namespace {

constexpr float kPi = 3.14159265359f;

glm::vec3 bookColour(int index) {
    static const glm::vec3 palette[] = {rgb(112, 24, 30), rgb(24, 42, 84), rgb(30, 72, 46),    rgb(150, 108, 40),
                                        rgb(92, 52, 30),  rgb(28, 26, 26), rgb(200, 186, 150), rgb(70, 90, 110),
                                        rgb(140, 60, 40), rgb(60, 30, 60), rgb(170, 150, 110), rgb(40, 80, 80)};
    return palette[index % 12];
}

// One book spine in cell coordinates: s across the spine, t up along it.
void bookSpine(int index, float s, float t, glm::vec3& albedo, float& height, float& spec, float cloth) {
    const glm::vec3 gold = rgb(212, 170, 80);
    const float tone = 0.8f + 0.35f * hash01(index, 3);
    glm::vec3 c = bookColour(index) * tone * (0.92f + 0.1f * cloth);
    float h = 0.5f + 0.1f * cloth;
    float sp = 0.12f;
    // Rounded spine: darker towards its edges.
    c *= 0.7f + 0.3f * std::sin(kPi * s);
    const int style = static_cast<int>(hash01(index, 7) * 4.0f);
    auto band = [&](float centre, float width) {
        if (std::fabs(t - centre) < width) {
            c = gold * (0.85f + 0.15f * cloth);
            h = 0.8f;
            sp = 0.7f;
        }
    };
    if (style == 0) {
        band(0.1f, 0.012f);
        band(0.9f, 0.012f);
        band(0.14f, 0.005f);
        band(0.86f, 0.005f);
    } else if (style == 1) {
        if (t > 0.62f && t < 0.8f && s > 0.15f && s < 0.85f) {
            const bool rim = t < 0.635f || t > 0.785f || s < 0.19f || s > 0.81f;
            c = rim ? gold : rgb(30, 24, 20);
            h = rim ? 0.8f : 0.45f;
            sp = rim ? 0.7f : 0.15f;
        }
        band(0.07f, 0.01f);
    } else if (style == 2) {
        for (float centre : {0.2f, 0.3f, 0.4f, 0.6f, 0.7f, 0.8f}) band(centre, 0.006f);
    } else {
        // Raised bands of a leather binding.
        for (float centre : {0.25f, 0.45f, 0.65f, 0.85f}) {
            const float d = std::fabs(t - centre);
            if (d < 0.02f) {
                h = 0.9f - d * 10.0f;
                c *= 1.1f;
            }
        }
        if (t > 0.5f && t < 0.6f && s > 0.25f && s < 0.75f) {
            c = gold;
            sp = 0.7f;
        }
    }
    albedo = c;
    height = h;
    spec = sp;
}

// Sky, sun and layered hills over a lake.
glm::vec3 paintLandscape(float s, float t) {
    const float horizon = 0.38f;
    glm::vec3 sky = glm::mix(rgb(248, 170, 96), rgb(84, 66, 120), smoothstepf(horizon, 1.0f, t));
    const float sun = glm::length(glm::vec2(s - 0.68f, (t - 0.5f) * 1.0f));
    sky = glm::mix(sky, rgb(255, 236, 180), 1.0f - smoothstepf(0.05f, 0.07f, sun));
    sky += rgb(60, 30, 10) * std::exp(-sun * 6.0f);
    const glm::vec3 layers[] = {rgb(140, 100, 130), rgb(96, 70, 100), rgb(56, 52, 60), rgb(30, 36, 30)};
    glm::vec3 c = sky;
    for (int i = 0; i < 4; ++i) {
        const float base = horizon + 0.22f - 0.06f * static_cast<float>(i);
        const float ridge =
            base + 0.07f * stb_perlin_fbm_noise3(s * (2.0f + static_cast<float>(i)), 0.3f * i, 1.0f, 2.0f, 0.5f, 5);
        if (t < ridge && t > horizon) c = layers[i];
    }
    if (t <= horizon) {
        // The lake mirrors the sky, broken by ripples.
        const float ripple = stb_perlin_noise3(s * 6.0f, t * 90.0f, 4.0f, 0, 0, 0);
        const float mirrored = horizon + (horizon - t) + 0.01f * ripple;
        c = glm::mix(rgb(248, 170, 96), rgb(84, 66, 120), smoothstepf(horizon, 1.0f, mirrored)) * 0.7f;
        const float sunPath = std::fabs(s - 0.68f + 0.02f * ripple);
        c += rgb(120, 90, 50) * (1.0f - smoothstepf(0.0f, 0.05f, sunPath)) * (0.5f + 0.5f * ripple);
        if (t < 0.08f + 0.03f * stb_perlin_noise3(s * 5.0f, 2.0f, 2.0f, 0, 0, 0)) c = rgb(36, 40, 28);
    }
    return c;
}

// Moonlit sea with a rocky headland.
glm::vec3 paintSeascape(float s, float t) {
    const float horizon = 0.45f;
    glm::vec3 c = glm::mix(rgb(40, 56, 96), rgb(8, 12, 36), smoothstepf(horizon, 1.0f, t));
    const float moon = glm::length(glm::vec2(s - 0.3f, t - 0.78f));
    c = glm::mix(c, rgb(236, 232, 210), 1.0f - smoothstepf(0.045f, 0.055f, moon));
    c += rgb(40, 44, 60) * std::exp(-moon * 8.0f);
    if (hash01(static_cast<std::uint32_t>(s * 300.0f), static_cast<std::uint32_t>(t * 300.0f), 17) > 0.996f &&
        t > horizon + 0.05f)
        c = rgb(220, 220, 240);
    if (t < horizon) {
        const float wave = stb_perlin_noise3(s * 12.0f, t * 60.0f, 7.0f, 0, 0, 0);
        c = glm::mix(rgb(14, 30, 50), rgb(30, 50, 80), t / horizon) * (0.85f + 0.3f * wave);
        const float path = std::fabs(s - 0.3f + 0.03f * wave) / (0.04f + 0.25f * (horizon - t));
        c += rgb(200, 200, 170) * (1.0f - smoothstepf(0.3f, 1.0f, path)) * clamp01(wave + 0.4f);
    }
    const float cliff = 0.72f + 0.2f * stb_perlin_fbm_noise3(t * 3.0f, 1.5f, 3.0f, 2.0f, 0.5f, 5) + 0.4f * (1.0f - t);
    if (s > cliff && t < 0.75f) c = rgb(18, 20, 24) * (1.0f + 0.5f * stb_perlin_noise3(s * 20, t * 20, 1, 0, 0, 0));
    return c;
}

// Snow peaks over a green valley.
glm::vec3 paintMountains(float s, float t) {
    glm::vec3 c = glm::mix(rgb(180, 206, 230), rgb(70, 120, 190), t);
    const float peak = 0.55f + 0.25f * (1.0f - std::fabs(s - 0.45f) * 2.2f) +
                       0.08f * stb_perlin_ridge_noise3(s * 4.0f, 0.5f, 0.5f, 2.0f, 0.5f, 1.0f, 5);
    if (t < peak) {
        const float snow =
            smoothstepf(peak - 0.2f, peak - 0.1f, t + 0.05f * stb_perlin_noise3(s * 20, t * 20, 3, 0, 0, 0));
        const float shade = s < 0.45f + 0.1f * (peak - t) ? 0.75f : 1.0f;
        c = glm::mix(rgb(90, 84, 96), rgb(240, 240, 246), snow) * shade;
    }
    const float valley = 0.3f + 0.05f * stb_perlin_fbm_noise3(s * 3.0f, 9.0f, 1.0f, 2.0f, 0.5f, 4);
    if (t < valley) {
        const float trees = stb_perlin_noise3(s * 40.0f, t * 40.0f, 5.0f, 0, 0, 0);
        c = glm::mix(rgb(52, 90, 40), rgb(26, 50, 26), clamp01(0.5f + trees)) * (0.7f + t);
    }
    return c;
}

// A little ray tracer: spheres over a chequered floor, a classic of the trade.
glm::vec3 paintSpheres(float s, float t) {
    struct Ball {
        glm::vec3 centre;
        float radius;
        glm::vec3 colour;
        float mirror;
    };
    const Ball balls[] = {{{-1.1f, 0.6f, 0.4f}, 0.6f, rgb(200, 40, 36), 0.1f},
                          {{0.35f, 0.8f, -0.4f}, 0.8f, rgb(230, 230, 235), 0.85f},
                          {{1.35f, 0.4f, 0.7f}, 0.4f, rgb(40, 90, 200), 0.15f}};
    const glm::vec3 lightDir = glm::normalize(glm::vec3(-0.6f, 1.0f, 0.5f));
    glm::vec3 origin(0.0f, 1.2f, 4.0f);
    glm::vec3 dir = glm::normalize(glm::vec3((s - 0.5f) * 1.6f, (t - 0.5f) * 1.6f - 0.25f, -1.6f));
    glm::vec3 result(0.0f);
    float weight = 1.0f;
    for (int bounce = 0; bounce < 3; ++bounce) {
        float nearest = 1e9f;
        int hit = -1;
        for (int i = 0; i < 3; ++i) {
            const glm::vec3 oc = origin - balls[i].centre;
            const float b = glm::dot(oc, dir);
            const float disc = b * b - glm::dot(oc, oc) + balls[i].radius * balls[i].radius;
            if (disc <= 0.0f) continue;
            const float d = -b - std::sqrt(disc);
            if (d > 1e-3f && d < nearest) {
                nearest = d;
                hit = i;
            }
        }
        const float floorT = dir.y < 0.0f ? -origin.y / dir.y : 1e9f;
        glm::vec3 p, n, colour;
        float mirror;
        if (hit >= 0 && nearest < floorT) {
            p = origin + dir * nearest;
            n = glm::normalize(p - balls[hit].centre);
            colour = balls[hit].colour;
            mirror = balls[hit].mirror;
        } else if (floorT < 1e8f) {
            p = origin + dir * floorT;
            n = glm::vec3(0, 1, 0);
            const bool dark = (static_cast<int>(std::floor(p.x)) + static_cast<int>(std::floor(p.z))) % 2 != 0;
            colour = dark ? rgb(30, 30, 34) : rgb(226, 218, 196);
            mirror = 0.2f;
            // Fade the floor into the distance.
            const float fog = smoothstepf(6.0f, 20.0f, floorT);
            colour = glm::mix(colour, rgb(120, 150, 190), fog);
        } else {
            result += weight * glm::mix(rgb(210, 220, 235), rgb(70, 110, 180), clamp01(dir.y * 2.0f));
            break;
        }
        bool shadowed = false;
        for (const Ball& ball : balls) {
            const glm::vec3 oc = p - ball.centre;
            const float b = glm::dot(oc, lightDir);
            const float disc = b * b - glm::dot(oc, oc) + ball.radius * ball.radius;
            if (disc > 0.0f && -b - std::sqrt(disc) > 1e-3f) shadowed = true;
        }
        const float diffuse = shadowed ? 0.0f : std::max(0.0f, glm::dot(n, lightDir));
        const glm::vec3 h = glm::normalize(lightDir - dir);
        const float specular = shadowed ? 0.0f : std::pow(std::max(0.0f, glm::dot(n, h)), 60.0f);
        result += weight * (1.0f - mirror) * (colour * (0.15f + 0.85f * diffuse) + glm::vec3(specular));
        weight *= mirror;
        if (weight < 0.02f) break;
        dir = glm::reflect(dir, n);
        origin = p;
    }
    return glm::min(result, glm::vec3(1.0f));
}

}  // namespace

glm::vec4 atlasCell(int column, int row, int n) { return atlasCell(column, row, n, n); }

glm::vec4 atlasCell(int column, int row, int columns, int rows) {
    const float w = 1.0f / static_cast<float>(columns), h = 1.0f / static_cast<float>(rows);
    return {column * w, 1.0f - (row + 1) * h, (column + 1) * w, 1.0f - row * h};
}

SurfaceMaps makeBookSpines(int size) {
    SurfaceMaps maps = blankMaps(size, 0.001f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const int column = static_cast<int>(u * kBookAtlasColumns);
            const int row = static_cast<int>((1.0f - v) * kBookAtlasRows);
            const int index = row * kBookAtlasColumns + column;
            const float s = fract(u * kBookAtlasColumns);
            const float t = fract(v * kBookAtlasRows);
            const float cloth = tileNoise(u, v, 256, 151.0f);
            if (index == kBookPageCell) {
                // Page edges: fine lines along the book.
                const float line = tileNoise2(u, v, 4, 256, 157.0f) * 0.5f + 0.5f;
                albedo = rgb(226, 214, 184) * (0.85f + 0.15f * line);
                height = line;
                spec = 0.05f;
                return;
            }
            bookSpine(index, s, t, albedo, height, spec, cloth);
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makePaintings(int size) {
    SurfaceMaps maps = blankMaps(size, 0.0015f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const int column = u < 0.5f ? 0 : 1;
            const int row = v > 0.5f ? 0 : 1;
            const float s = fract(u * 2.0f), t = fract(v * 2.0f);
            glm::vec3 c;
            switch (row * 2 + column) {
                case 0: c = paintLandscape(s, t); break;
                case 1: c = paintSeascape(s, t); break;
                case 2: c = paintMountains(s, t); break;
                default: c = paintSpheres(s, t); break;
            }
            // Canvas weave and brush strokes.
            const float weave = std::sin(u * 2048.0f) * std::sin(v * 2048.0f);
            const float stroke = tileNoise2(u, v, 64, 8, 163.0f + static_cast<float>(row * 2 + column));
            albedo = c * (0.94f + 0.06f * stroke);
            height = 0.5f + 0.25f * stroke + 0.1f * weave;
            spec = 0.2f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeClockDial(int size) {
    SurfaceMaps maps = blankMaps(size, 0.001f);
    const glm::vec3 ink = rgb(22, 20, 18);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const glm::vec2 p(u - 0.5f, v - 0.5f);
            const float r = glm::length(p);
            const float angle = std::atan2(p.x, p.y);  // 0 at twelve, clockwise
            const float aged = tileFbm(u, v, 4, 4, 0.5f, 171.0f);
            glm::vec3 c = rgb(238, 228, 202) * (0.95f + 0.06f * aged);
            bool inked = false;
            const float minute = fract(angle / (2.0f * kPi) * 60.0f + 0.5f) - 0.5f;
            const float hour = fract(angle / (2.0f * kPi) * 12.0f + 0.5f) - 0.5f;
            // Distances along the arc from the nearest tick's centre line.
            const float minuteArc = std::fabs(minute) * r * 2.0f * kPi / 60.0f;
            const float hourArc = std::fabs(hour) * r * 2.0f * kPi / 12.0f;
            if (r > 0.4f && r < 0.44f && minuteArc < 0.0025f) inked = true;
            if (r > 0.31f && r < 0.44f && hourArc < 0.01f) inked = true;
            if (std::fabs(r - 0.455f) < 0.004f || std::fabs(r - 0.395f) < 0.002f) inked = true;
            if (r < 0.03f) inked = true;
            if (r > 0.49f) c *= 0.8f;
            albedo = inked ? ink : c;
            height = inked ? 0.8f : 0.5f + 0.05f * aged;
            spec = inked ? 0.3f : 0.15f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeGlobe(int size) {
    SurfaceMaps maps = blankMaps(size, 0.002f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            // Same parameterisation as the lathe: theta from +x towards -z.
            const float theta = u * 2.0f * kPi;
            const float lat = (v - 0.5f) * kPi;
            const glm::vec3 d(std::cos(lat) * std::cos(theta), std::sin(lat), -std::cos(lat) * std::sin(theta));
            const float land = stb_perlin_fbm_noise3(d.x * 1.6f + 3.0f, d.y * 1.6f, d.z * 1.6f, 2.0f, 0.5f, 6);
            const float coast = std::fabs(land - 0.08f);
            glm::vec3 c;
            if (land > 0.08f) {
                c = glm::mix(rgb(196, 164, 108), rgb(150, 118, 70), clamp01((land - 0.08f) * 4.0f));
                height = 0.7f + 0.3f * clamp01((land - 0.08f) * 3.0f);
            } else {
                c = glm::mix(rgb(150, 170, 150), rgb(110, 140, 130), clamp01(-land * 3.0f));
                height = 0.5f;
            }
            if (coast < 0.01f) c *= 0.55f;
            // Graticule every 30 degrees.
            const float degLon = u * 360.0f, degLat = (v - 0.5f) * 180.0f;
            const float gl = std::min(std::fabs(fract(degLon / 30.0f + 0.5f) - 0.5f) * 30.0f * std::cos(lat),
                                      std::fabs(fract(degLat / 30.0f + 0.5f) - 0.5f) * 30.0f);
            if (gl < 0.35f) c = glm::mix(c, rgb(90, 70, 50), 0.6f);
            const float varnish = tileFbm(u, v, 4, 3, 0.5f, 181.0f);
            albedo = c * (0.9f + 0.1f * varnish) * glm::vec3(1.0f, 0.97f, 0.88f);
            spec = 0.45f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

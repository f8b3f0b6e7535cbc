#include "tools/bench/capture_maps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::uint8_t toByte(float unit) {
    if (!std::isfinite(unit)) return 0;
    return static_cast<std::uint8_t>(std::lround(std::clamp(unit, 0.0f, 1.0f) * 255.0f));
}

// GL reads rows from the bottom; pictures are written from the top.
std::size_t bottomUpRow(int height, int topDownRow) { return static_cast<std::size_t>(height - 1 - topDownRow); }

Image blank(int width, int height, int channels) {
    Image image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels.assign(static_cast<std::size_t>(width) * height * channels, 0);
    return image;
}

template <typename Map>
Image mapTexels(const FloatTexels& t, int outChannels, Map map) {
    Image image = blank(t.width, t.height, outChannels);
    for (int y = 0; y < t.height; ++y) {
        for (int x = 0; x < t.width; ++x) {
            const std::size_t in = (bottomUpRow(t.height, y) * t.width + x) * t.channels;
            const std::size_t out = (static_cast<std::size_t>(y) * t.width + x) * outChannels;
            for (int c = 0; c < outChannels; ++c)
                image.pixels[out + c] = map(t.values[in + std::min(c, t.channels - 1)], c);
        }
    }
    return image;
}

}  // namespace

ValueRange channelRange(const FloatTexels& texels, int channel) {
    ValueRange r{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()};
    for (std::size_t i = channel; i < texels.values.size(); i += texels.channels) {
        if (!std::isfinite(texels.values[i])) continue;
        r.min = std::min(r.min, texels.values[i]);
        r.max = std::max(r.max, texels.values[i]);
    }
    return r.min > r.max ? ValueRange{} : r;
}

Image mapPerChannelRange(const FloatTexels& texels, std::vector<ValueRange>& ranges) {
    ranges.assign(texels.channels, ValueRange{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()});
    for (std::size_t i = 0; i < texels.values.size(); ++i) {
        const float v = texels.values[i];
        if (!std::isfinite(v)) continue;
        ValueRange& r = ranges[i % texels.channels];
        r.min = std::min(r.min, v);
        r.max = std::max(r.max, v);
    }
    for (ValueRange& r : ranges) {
        if (r.min > r.max) r = ValueRange{};
    }
    return mapTexels(texels, texels.channels, [&](float v, int c) {
        const ValueRange& r = ranges[c];
        return r.max > r.min ? toByte((v - r.min) / (r.max - r.min)) : std::uint8_t{0};
    });
}

Image mapSignedUnit(const FloatTexels& texels) {
    return mapTexels(texels, texels.channels, [](float v, int) { return toByte(v * 0.5f + 0.5f); });
}

Image mapOctahedralNormals(const FloatTexels& texels) {
    FloatTexels decoded{texels.width, texels.height, 3, {}};
    decoded.values.reserve(static_cast<std::size_t>(texels.width) * texels.height * 3);
    for (std::size_t i = 0; i + 1 < texels.values.size(); i += texels.channels) {
        float x = texels.values[i];
        float y = texels.values[i + 1];
        const float z = 1.0f - std::fabs(x) - std::fabs(y);
        const float fold = std::max(-z, 0.0f);
        x += x >= 0.0f ? -fold : fold;
        y += y >= 0.0f ? -fold : fold;
        const float length = std::sqrt(x * x + y * y + z * z);
        const float scale = length > 0.0f ? 1.0f / length : 0.0f;
        decoded.values.insert(decoded.values.end(), {x * scale, y * scale, z * scale});
    }
    return mapSignedUnit(decoded);
}

Image mapUnitGrey(const FloatTexels& texels) {
    return mapTexels(texels, 1, [](float v, int) { return toByte(v); });
}

Image rgbFromRgba8(const std::vector<std::uint8_t>& rgba, int width, int height) {
    Image image = blank(width, height, 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t in = (bottomUpRow(height, y) * width + x) * 4;
            const std::size_t out = (static_cast<std::size_t>(y) * width + x) * 3;
            std::copy(rgba.begin() + in, rgba.begin() + in + 3, image.pixels.begin() + out);
        }
    }
    return image;
}

Image alphaFromRgba8(const std::vector<std::uint8_t>& rgba, int width, int height) {
    Image image = blank(width, height, 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels[static_cast<std::size_t>(y) * width + x] = rgba[(bottomUpRow(height, y) * width + x) * 4 + 3];
        }
    }
    return image;
}

Image shadowCross(const std::array<FloatTexels, kShadowFaceCount>& faces, int cellSize, ValueRange& range) {
    // Cell (column, row) of each face in GL face order.
    constexpr int kCells[kShadowFaceCount][2] = {{2, 1}, {0, 1}, {1, 0}, {1, 2}, {1, 1}, {3, 1}};
    range = ValueRange{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()};
    for (const FloatTexels& face : faces) {
        for (const float v : face.values) {
            if (!std::isfinite(v)) continue;
            range.min = std::min(range.min, v);
            range.max = std::max(range.max, v);
        }
    }
    if (range.min > range.max) range = ValueRange{};
    const float span = range.max > range.min ? range.max - range.min : 1.0f;

    Image image = blank(4 * cellSize, 3 * cellSize, 1);
    for (int f = 0; f < kShadowFaceCount; ++f) {
        const FloatTexels& face = faces[f];
        if (face.width <= 0 || face.height <= 0) continue;
        for (int cy = 0; cy < cellSize; ++cy) {
            for (int cx = 0; cx < cellSize; ++cx) {
                // Average the block of face texels this cell pixel covers.
                const int x0 = cx * face.width / cellSize;
                const int x1 = std::max(x0 + 1, (cx + 1) * face.width / cellSize);
                const int y0 = cy * face.height / cellSize;
                const int y1 = std::max(y0 + 1, (cy + 1) * face.height / cellSize);
                double sum = 0.0;
                int count = 0;
                for (int y = y0; y < y1; ++y) {
                    for (int x = x0; x < x1; ++x) {
                        const float v = face.values[(static_cast<std::size_t>(y) * face.width + x) * face.channels];
                        if (!std::isfinite(v)) continue;
                        sum += v;
                        ++count;
                    }
                }
                const float mean = count > 0 ? static_cast<float>(sum / count) : range.max;
                const int px = kCells[f][0] * cellSize + cx;
                const int py = kCells[f][1] * cellSize + cy;
                image.pixels[static_cast<std::size_t>(py) * image.width + px] = toByte((mean - range.min) / span);
            }
        }
    }
    return image;
}

Difference compareFirstChannel(const FloatTexels& a, const FloatTexels& b) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (a.width != b.width || a.height != b.height || a.width <= 0 || a.height <= 0) return {nan, nan};
    Difference d;
    const std::size_t count = static_cast<std::size_t>(a.width) * a.height;
    for (std::size_t i = 0; i < count; ++i) {
        const double diff = std::fabs(static_cast<double>(a.values[i * a.channels]) - b.values[i * b.channels]);
        d.mean += diff;
        d.max = std::max(d.max, diff);
    }
    d.mean /= static_cast<double>(count);
    return d;
}

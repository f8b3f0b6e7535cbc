#include "scene/ssao_kernel.h"

#include <cmath>

// Built with -ffp-contract=off (see CMakeLists.txt): a fused multiply-add
// would change the last bit of the kernel on some targets.

float ssaoUniformFromDraw(std::uint32_t u) { return static_cast<float>(u) / 4294967296.0f; }

float ssaoUniform(std::mt19937& engine) { return ssaoUniformFromDraw(static_cast<std::uint32_t>(engine())); }

std::vector<glm::vec3> generateSsaoKernel(std::mt19937& engine, unsigned int count) {
    std::vector<glm::vec3> kernel;
    kernel.reserve(count);
    for (unsigned int i = 0; i < count; ++i) {
        const float r1 = ssaoUniform(engine);
        const float r2 = ssaoUniform(engine);
        const float r3 = ssaoUniform(engine);
        glm::vec3 sample(2.0f * r3 - 1.0f, 2.0f * r2 - 1.0f, r1);
        const float inverseLength = 1.0f / std::sqrt((sample.x * sample.x + sample.y * sample.y) + sample.z * sample.z);
        sample *= inverseLength;
        sample *= ssaoUniform(engine);
        float scale = static_cast<float>(i) / static_cast<float>(count);
        scale = 0.1f + 0.9f * (scale * scale);
        sample *= scale;
        kernel.push_back(sample);
    }
    return kernel;
}

std::vector<glm::vec3> generateSsaoNoise(std::mt19937& engine) {
    std::vector<glm::vec3> noise;
    noise.reserve(kSsaoNoiseCount);
    for (unsigned int i = 0; i < kSsaoNoiseCount; ++i) {
        const float r1 = ssaoUniform(engine);
        const float r2 = ssaoUniform(engine);
        noise.emplace_back(2.0f * r2 - 1.0f, 2.0f * r1 - 1.0f, 0.0f);
    }
    return noise;
}

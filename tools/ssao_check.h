#pragma once

#include <string>

#include "gpu/shader.h"

// The brute-force twin of the scene's SSAO program (all 32 kernel samples in
// every pixel), built from the same files with the same sampler units.
class BruteForceSsaoProgram {
public:
    BruteForceSsaoProgram() = default;
    ~BruteForceSsaoProgram();
    BruteForceSsaoProgram(const BruteForceSsaoProgram&) = delete;
    BruteForceSsaoProgram& operator=(const BruteForceSsaoProgram&) = delete;

    // Needs a current context and the shaders/ folder; false with the reason.
    bool build(std::string& error);
    Shader* shader() const { return shader_; }

private:
    Shader* shader_ = nullptr;
};

#include "tools/ssao_check.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "gpu/shader_contract.h"
#include "tools/ssao_variant.h"

BruteForceSsaoProgram::~BruteForceSsaoProgram() { delete shader_; }

bool BruteForceSsaoProgram::build(std::string& error) {
    const std::string source = bruteForceSsaoSource(Shader::readFile(kSsaoProgramSources.fragment), error);
    if (source.empty()) return false;
    // Shader reads its stages from files, so the twin gets a file of its own.
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("rtg-bench-ssao-" + std::to_string(getpid()) + ".frag");
    {
        std::ofstream file(path, std::ios::binary);
        file << source;
        if (!file) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    shader_ = new Shader(kSsaoProgramSources.vertex, nullptr, path.string().c_str());
    std::error_code ignored;
    std::filesystem::remove(path, ignored);

    GLint linked = GL_FALSE;
    glGetProgramiv(shader_->program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        error = "the brute-force SSAO program did not link";
        return false;
    }
    glUseProgram(shader_->program);
    for (const SamplerUnit& sampler : kSsaoSamplerUnits) {
        glUniform1i(glGetUniformLocation(shader_->program, sampler.name), sampler.unit);
    }
    return true;
}

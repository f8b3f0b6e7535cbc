// bmf info FILE: what a model file holds, read exactly as the program reads it.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>

#include <stb_image.h>

#include "io/input_file.h"
#include "model/model_file.h"
#include "tools/bmf/commands.h"

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string formatVec3(const glm::vec3& v) {
    std::ostringstream out;
    out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
    return out.str();
}

// Opens the image as the loader does: path up to its first zero byte,
// relative to the working directory, a regular file only, decoded by the same
// decoder. Without a GL context the side limit (GL_MAX_TEXTURE_SIZE) is not
// known here: the size is shown for comparing with it.
std::string imageStatus(const std::string& path) {
    const std::string name = path.substr(0, path.find('\0'));
    InputFile file;
    std::string error;
    if (!openInputFile(name, file, error)) return "does not open: " + printable(error);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_file(file.stream.get(), &width, &height, &channels) == 0)
        return "does not open: " + std::string(stbi_failure_reason());
    stbi_uc* pixels = stbi_load_from_file(file.stream.get(), &width, &height, &channels, 4);
    if (pixels == nullptr) return "does not open: " + std::string(stbi_failure_reason());
    stbi_image_free(pixels);
    return std::to_string(width) + " x " + std::to_string(height) + ", " + std::to_string(channels) + " channel" +
           (channels == 1 ? "" : "s");
}

void printMaterial(std::size_t index, const MaterialRecord& m) {
    std::cout << "material " << index << ": diffuse " << formatVec3(m.diffuse) << ", specular "
              << formatVec3(m.specular) << ", emissive " << formatVec3(m.emissive) << ", shininess " << m.shininess
              << "\n";
    const struct {
        const char* label;
        const std::string& path;
    } maps[] = {
        {"diffuse map:     ", m.diffuseMapPath},
        {"normal map:      ", m.normalMapPath},
        {"specular map:    ", m.specularMapPath},
        {"displacement map:", m.displacementMapPath},
    };
    for (const auto& map : maps) {
        std::cout << "  " << map.label << " " << printable(map.path) << " (" << imageStatus(map.path) << ")\n";
    }
}

void printMesh(std::size_t index, const MeshRecord& mesh) {
    const std::size_t triangles = mesh.indices.size() / 3;
    const std::size_t leftover = mesh.indices.size() % 3;
    std::cout << "mesh " << index << ": material " << mesh.materialIndex << ", "
              << counted(mesh.vertices.size(), "vertex", "vertices") << ", "
              << counted(triangles, "triangle", "triangles");
    if (leftover != 0) std::cout << " (+" << counted(leftover, "leftover index", "leftover indices") << ")";
    if (mesh.vertices.empty()) {
        std::cout << ", no bounds\n";
        return;
    }
    glm::vec3 low = mesh.vertices.front().position;
    glm::vec3 high = low;
    for (const Vertex& v : mesh.vertices) {
        low = glm::min(low, v.position);
        high = glm::max(high, v.position);
    }
    std::cout << ", bounds " << formatVec3(low) << " to " << formatVec3(high) << "\n";
}

}  // namespace

int runInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) return kExitUsage;
    const std::string& path = args[0];
    ModelData model;
    std::string error;
    if (!readModelFile(path.c_str(), model, error)) {
        std::cout << error << std::endl;
        return kExitFailure;
    }
    std::cout << path << ": " << counted(model.materials.size(), "material", "materials") << ", "
              << counted(model.meshes.size(), "mesh", "meshes") << "\n";
    for (std::size_t i = 0; i < model.materials.size(); ++i) printMaterial(i, model.materials[i]);
    for (std::size_t j = 0; j < model.meshes.size(); ++j) printMesh(j, model.meshes[j]);
    std::cout.flush();
    return kExitOk;
}

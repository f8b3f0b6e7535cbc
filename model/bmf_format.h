#pragma once

// The ".bmf" model file: pure data in and out, no GL.
//
// Layout (all integers unsigned little-endian, reals IEEE single precision):
//   uint64 materialCount, then per material: float32 diffuse[3], specular[3],
//     emissive[3], shininess; then four times (diffuse, normal, specular,
//     displacement map): uint64 pathLength, pathLength bytes of path.
//   uint64 meshCount, then per mesh: uint64 materialIndex, vertexCount,
//     indexCount; vertexCount x (position[3], normal[3], tangent[3], uv[2]);
//     indexCount x uint32.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "model/vertex.h"

struct MaterialRecord {
    glm::vec3 diffuse{0.0f};
    glm::vec3 specular{0.0f};
    glm::vec3 emissive{0.0f};
    float shininess = 0.0f;
    std::string diffuseMapPath;
    std::string normalMapPath;
    std::string specularMapPath;
    std::string displacementMapPath;
};

struct MeshRecord {
    std::uint64_t materialIndex = 0;
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
};

struct ModelData {
    std::vector<MaterialRecord> materials;
    std::vector<MeshRecord> meshes;
};

// The limits the GPU upload imposes on one mesh.
constexpr std::uint64_t kMaxVertexCount = 0xFFFFFFFFull;
constexpr std::uint64_t kMaxIndexCount = (1ull << 30) - 1;

// Parses a whole model file held in memory and validates it. On damage
// returns false, leaves out empty and sets error to one line naming the fault
// (for a zero path length, the failed condition, e.g. "diffuseMapPathLength > 0").
bool parseModelFile(const std::uint8_t* data, std::size_t size, ModelData& out, std::string& error);

// The file bytes of a model, in the layout above.
std::vector<std::uint8_t> serializeModelFile(const ModelData& model);

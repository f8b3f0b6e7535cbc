#include <cstring>

#include "model/bmf_format.h"

namespace {

// The format is little-endian; so is every platform this builds on.
static_assert(sizeof(float) == 4, "float32 expected");

template <typename T>
void put(std::vector<std::uint8_t>& out, const T& value) {
    std::uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

void putVec(std::vector<std::uint8_t>& out, const float* v, int n) {
    for (int i = 0; i < n; ++i) put(out, v[i]);
}

void putPath(std::vector<std::uint8_t>& out, const std::string& path) {
    put<std::uint64_t>(out, path.size());
    out.insert(out.end(), path.begin(), path.end());
}

}  // namespace

std::vector<std::uint8_t> serializeModelFile(const ModelData& model) {
    std::vector<std::uint8_t> out;
    put<std::uint64_t>(out, model.materials.size());
    for (const MaterialRecord& m : model.materials) {
        putVec(out, &m.diffuse.x, 3);
        putVec(out, &m.specular.x, 3);
        putVec(out, &m.emissive.x, 3);
        put(out, m.shininess);
        putPath(out, m.diffuseMapPath);
        putPath(out, m.normalMapPath);
        putPath(out, m.specularMapPath);
        putPath(out, m.displacementMapPath);
    }
    put<std::uint64_t>(out, model.meshes.size());
    for (const MeshRecord& mesh : model.meshes) {
        put<std::uint64_t>(out, mesh.materialIndex);
        put<std::uint64_t>(out, mesh.vertices.size());
        put<std::uint64_t>(out, mesh.indices.size());
        for (const Vertex& v : mesh.vertices) {
            putVec(out, &v.position.x, 3);
            putVec(out, &v.normal.x, 3);
            putVec(out, &v.tangent.x, 3);
            putVec(out, &v.texCoords.x, 2);
        }
        for (std::uint32_t index : mesh.indices) put(out, index);
    }
    return out;
}

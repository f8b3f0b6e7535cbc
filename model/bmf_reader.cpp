#include <cstring>

#include "model/bmf_format.h"

// Every read is checked against the bytes that remain, and every count is
// checked against its limit and against what the remaining bytes can hold
// before anything is allocated for it; sizes are compared by division or
// after the limit check, so no product can overflow.

namespace {

constexpr std::uint64_t kMaterialFactorBytes = sizeof(MaterialRecord::diffuse) + sizeof(MaterialRecord::specular) +
                                               sizeof(MaterialRecord::emissive) + sizeof(MaterialRecord::shininess);
constexpr std::uint64_t kPathLengthBytes = 8;
// Factors plus four lengths plus four paths of at least one byte.
constexpr std::uint64_t kMinMaterialRecordBytes = kMaterialFactorBytes + 4 * (kPathLengthBytes + 1);
constexpr std::uint64_t kMeshHeaderBytes = 24;  // materialIndex, vertexCount, indexCount
// The members of Vertex, the tangent stored before the texture coordinates.
constexpr std::uint64_t kFileVertexBytes =
    sizeof(Vertex::position) + sizeof(Vertex::normal) + sizeof(Vertex::tangent) + sizeof(Vertex::texCoords);
constexpr std::uint64_t kIndexBytes = 4;

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint64_t remaining() const { return size_ - pos_; }

    // Reads n bytes into out (n == 0 reads nothing); false when fewer remain.
    bool read(void* out, std::uint64_t n) {
        if (n > remaining()) return false;
        if (n > 0) std::memcpy(out, data_ + pos_, static_cast<std::size_t>(n));
        pos_ += static_cast<std::size_t>(n);
        return true;
    }

    template <typename T>
    bool read(T& out) {
        return read(&out, sizeof(T));
    }

    // The next n bytes; the caller has checked that they remain.
    const std::uint8_t* take(std::uint64_t n) {
        const std::uint8_t* p = data_ + pos_;
        pos_ += static_cast<std::size_t>(n);
        return p;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::string endsInside(const std::string& what, std::uint64_t needed, std::uint64_t remaining) {
    return "file ends inside " + what + " (needs " + std::to_string(needed) + " bytes, " + std::to_string(remaining) +
           " remain)";
}

std::string countTooLarge(const char* name, std::uint64_t count, std::uint64_t remaining) {
    return std::string(name) + " " + std::to_string(count) + " more than the remaining " + std::to_string(remaining) +
           " bytes can hold";
}

bool readVec3(ByteReader& in, glm::vec3& v) { return in.read(&v.x, sizeof v); }

// map is the field's stem, e.g. "diffuseMap": its length is
// "diffuseMapPathLength" and its bytes "diffuseMapPath".
bool readPath(ByteReader& in, const std::string& map, std::size_t materialIndex, std::string& path,
              std::string& error) {
    const std::string record = "material " + std::to_string(materialIndex) + " ";
    std::uint64_t length = 0;
    if (!in.read(length)) {
        error = endsInside(record + map + "PathLength", kPathLengthBytes, in.remaining());
        return false;
    }
    if (length == 0) {
        error = map + "PathLength > 0";
        return false;
    }
    if (length > in.remaining()) {
        error = endsInside(record + map + "Path", length, in.remaining());
        return false;
    }
    path.assign(reinterpret_cast<const char*>(in.take(length)), static_cast<std::size_t>(length));
    return true;
}

bool readMaterial(ByteReader& in, std::size_t i, MaterialRecord& m, std::string& error) {
    if (in.remaining() < kMaterialFactorBytes) {
        error = endsInside("material " + std::to_string(i) + " factors", kMaterialFactorBytes, in.remaining());
        return false;
    }
    readVec3(in, m.diffuse);
    readVec3(in, m.specular);
    readVec3(in, m.emissive);
    in.read(m.shininess);
    return readPath(in, "diffuseMap", i, m.diffuseMapPath, error) &&
           readPath(in, "normalMap", i, m.normalMapPath, error) &&
           readPath(in, "specularMap", i, m.specularMapPath, error) &&
           readPath(in, "displacementMap", i, m.displacementMapPath, error);
}

bool readMesh(ByteReader& in, std::size_t j, std::uint64_t materialCount, MeshRecord& mesh, std::string& error) {
    const std::string where = "mesh " + std::to_string(j);
    if (in.remaining() < kMeshHeaderBytes) {
        error = endsInside(where + " header", kMeshHeaderBytes, in.remaining());
        return false;
    }
    std::uint64_t vertexCount = 0;
    std::uint64_t indexCount = 0;
    in.read(mesh.materialIndex);
    in.read(vertexCount);
    in.read(indexCount);
    if (mesh.materialIndex >= materialCount) {
        error = "materialIndex " + std::to_string(mesh.materialIndex) + " not below materialCount " +
                std::to_string(materialCount);
        return false;
    }
    if (vertexCount > kMaxVertexCount) {
        error = "vertexCount " + std::to_string(vertexCount) + " above the limit " + std::to_string(kMaxVertexCount);
        return false;
    }
    if (indexCount > kMaxIndexCount) {
        error = "indexCount " + std::to_string(indexCount) + " above the limit " + std::to_string(kMaxIndexCount);
        return false;
    }
    // Both counts are within their limits, so these products fit easily.
    const std::uint64_t needed = vertexCount * kFileVertexBytes + indexCount * kIndexBytes;
    if (needed > in.remaining()) {
        error = endsInside(where + " data (vertexCount " + std::to_string(vertexCount) + ", indexCount " +
                               std::to_string(indexCount) + ")",
                           needed, in.remaining());
        return false;
    }
    mesh.vertices.resize(static_cast<std::size_t>(vertexCount));
    for (Vertex& v : mesh.vertices) {
        readVec3(in, v.position);
        readVec3(in, v.normal);
        readVec3(in, v.tangent);
        in.read(&v.texCoords.x, sizeof v.texCoords);
    }
    mesh.indices.resize(static_cast<std::size_t>(indexCount));
    for (std::uint32_t& index : mesh.indices) {
        in.read(index);
        // An index past the vertices would make the GPU read outside the vertex buffer.
        if (index >= vertexCount) {
            error = "index " + std::to_string(index) + " not below vertexCount " + std::to_string(vertexCount);
            return false;
        }
    }
    return true;
}

// A record count that the remaining bytes can hold, each record taking at
// least minRecordBytes.
bool readCount(ByteReader& in, const char* name, std::uint64_t minRecordBytes, std::uint64_t& count,
               std::string& error) {
    if (!in.read(count)) {
        error = endsInside(name, sizeof count, in.remaining());
        return false;
    }
    if (count > in.remaining() / minRecordBytes) {
        error = countTooLarge(name, count, in.remaining());
        return false;
    }
    return true;
}

bool parseInto(ByteReader& in, ModelData& out, std::string& error) {
    std::uint64_t materialCount = 0;
    if (!readCount(in, "materialCount", kMinMaterialRecordBytes, materialCount, error)) return false;
    out.materials.resize(static_cast<std::size_t>(materialCount));
    for (std::size_t i = 0; i < out.materials.size(); ++i) {
        if (!readMaterial(in, i, out.materials[i], error)) return false;
    }
    std::uint64_t meshCount = 0;
    if (!readCount(in, "meshCount", kMeshHeaderBytes, meshCount, error)) return false;
    out.meshes.resize(static_cast<std::size_t>(meshCount));
    for (std::size_t j = 0; j < out.meshes.size(); ++j) {
        if (!readMesh(in, j, materialCount, out.meshes[j], error)) return false;
    }
    // Bytes after the last mesh record are not part of the model.
    return true;
}

}  // namespace

bool parseModelFile(const std::uint8_t* data, std::size_t size, ModelData& out, std::string& error) {
    out = ModelData();
    error.clear();
    ByteReader in(data, data == nullptr ? 0 : size);
    if (parseInto(in, out, error)) return true;
    out = ModelData();
    return false;
}

#include "tools/bmf_import.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace fs = std::filesystem;

namespace {

constexpr unsigned kPostProcess = aiProcess_Triangulate | aiProcess_JoinIdenticalVertices |
                                  aiProcess_GenSmoothNormals | aiProcess_CalcTangentSpace |
                                  aiProcess_PreTransformVertices | aiProcess_SortByPType | aiProcess_GenUVCoords |
                                  aiProcess_ImproveCacheLocality | aiProcess_FindDegenerates |
                                  aiProcess_ValidateDataStructure;
constexpr float kDefaultShininess = 32.0f;
constexpr float kDefaultSpecular = 0.5f;

glm::vec3 toVec(const aiVector3D& v) { return {v.x, v.y, v.z}; }

glm::vec3 colour(const aiMaterial& m, const char* key, unsigned type, unsigned index, glm::vec3 fallback) {
    aiColor3D c;
    if (m.Get(key, type, index, c) != AI_SUCCESS) return fallback;
    return {c.r, c.g, c.b};
}

// Any unit vector orthogonal to n.
glm::vec3 perpendicular(const glm::vec3& n) {
    const glm::vec3 axis = std::fabs(n.x) < 0.9f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0);
    return glm::normalize(glm::cross(axis, n));
}

class Converter {
public:
    Converter(const ImportRequest& request, const aiScene& scene, ImportResult& result)
        : request_(request), scene_(scene), result_(result),
          sceneDir_(fs::absolute(fs::path(request.scenePath)).parent_path()),
          runDir_(fs::absolute(fs::path(request.runDir)).lexically_normal()) {}

    bool run(std::string& error) {
        for (unsigned i = 0; i < scene_.mNumMeshes; ++i) convertMesh(*scene_.mMeshes[i]);
        if (result_.model.meshes.empty()) {
            error = "no triangles in " + request_.scenePath;
            return false;
        }
        // Only the materials that meshes use, in the source's order: the loader
        // would create textures (and report missing maps) for every one.
        std::vector<std::uint64_t> used;
        for (const MeshRecord& mesh : result_.model.meshes) used.push_back(mesh.materialIndex);
        std::sort(used.begin(), used.end());
        used.erase(std::unique(used.begin(), used.end()), used.end());
        for (std::uint64_t index : used) {
            MaterialRecord record;
            if (!convertMaterial(*scene_.mMaterials[index], record, error)) return false;
            result_.model.materials.push_back(record);
        }
        for (MeshRecord& mesh : result_.model.meshes)
            mesh.materialIndex = static_cast<std::uint64_t>(std::lower_bound(used.begin(), used.end(), mesh.materialIndex) - used.begin());
        if (mirrored_ > 0)
            warn(std::to_string(mirrored_) +
                 " vertices have mirrored texture coordinates; normal maps shade them inverted");
        return true;
    }

private:
    void warn(const std::string& line) { result_.warnings.push_back(line); }

    // A path as the model file stores it: relative to the run directory.
    std::string fromRunDir(const fs::path& file) const {
        const fs::path absolute = fs::absolute(file).lexically_normal();
        const fs::path relative = absolute.lexically_relative(runDir_);
        return (relative.empty() ? absolute : relative).generic_string();
    }

    bool writeEmbedded(const aiTexture& texture, int index, std::string& path, std::string& error) {
        if (texture.mHeight != 0) {
            // Raw texels would need an encoder of their own; such files are rare.
            warn("embedded texture " + std::to_string(index) + " is stored uncompressed and was left out");
            return false;
        }
        const std::string hint = texture.achFormatHint[0] != '\0' ? texture.achFormatHint : "bin";
        fs::path out = fs::path(request_.outputPath);
        fs::path folder = out.parent_path() / (out.stem().string() + "_textures");
        fs::path file = folder / ("texture" + std::to_string(index) + "." + hint);
        std::error_code ec;
        fs::create_directories(folder, ec);
        std::ofstream stream(file, std::ios::binary);
        stream.write(reinterpret_cast<const char*>(texture.pcData), static_cast<std::streamsize>(texture.mWidth));
        if (!stream) {
            error = "cannot write " + file.string();
            return false;
        }
        result_.embeddedWritten.push_back(file.string());
        path = fromRunDir(file);
        return true;
    }

    // The first texture of the first type that the material has, as a stored path.
    bool mapPath(const aiMaterial& m, std::initializer_list<aiTextureType> types, const std::string& map,
                 std::string& path, std::string& error) {
        path = missingMapPath(map);
        for (aiTextureType type : types) {
            aiString source;
            if (m.GetTextureCount(type) == 0 || m.GetTexture(type, 0, &source) != AI_SUCCESS) continue;
            const auto embedded = scene_.GetEmbeddedTextureAndIndex(source.C_Str());
            if (embedded.first != nullptr) {
                if (!writeEmbedded(*embedded.first, embedded.second, path, error) && !error.empty()) return false;
                return true;
            }
            std::string name = source.C_Str();
            for (char& c : name)
                if (c == '\\') c = '/';  // paths written on Windows
            const fs::path file = fs::path(name).is_absolute() ? fs::path(name) : sceneDir_ / name;
            if (!fs::exists(file)) warn(map + " map " + name + " not found at " + file.string());
            path = fromRunDir(file);
            return true;
        }
        return true;
    }

    bool convertMaterial(const aiMaterial& m, MaterialRecord& record, std::string& error) {
        record.diffuse = colour(m, AI_MATKEY_COLOR_DIFFUSE, glm::vec3(1.0f));
        record.specular = colour(m, AI_MATKEY_COLOR_SPECULAR, glm::vec3(kDefaultSpecular));
        record.emissive = colour(m, AI_MATKEY_COLOR_EMISSIVE, glm::vec3(0.0f));
        float shininess = 0.0f;
        record.shininess = m.Get(AI_MATKEY_SHININESS, shininess) == AI_SUCCESS && shininess > 0.0f ? shininess
                                                                                                   : kDefaultShininess;
        return mapPath(m, {aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR}, "diffuse", record.diffuseMapPath, error) &&
               mapPath(m, {aiTextureType_NORMALS, aiTextureType_NORMAL_CAMERA}, "normal", record.normalMapPath, error) &&
               mapPath(m, {aiTextureType_SPECULAR}, "specular", record.specularMapPath, error) &&
               mapPath(m, {aiTextureType_DISPLACEMENT, aiTextureType_HEIGHT}, "displacement",
                       record.displacementMapPath, error);
    }

    void convertMesh(const aiMesh& source) {
        if ((source.mPrimitiveTypes & aiPrimitiveType_TRIANGLE) == 0 || source.mNumFaces == 0) return;
        MeshRecord mesh;
        mesh.materialIndex = source.mMaterialIndex;
        mesh.vertices.resize(source.mNumVertices);
        for (unsigned i = 0; i < source.mNumVertices; ++i) {
            Vertex& v = mesh.vertices[i];
            v.position = toVec(source.mVertices[i]);
            v.normal = source.mNormals != nullptr ? toVec(source.mNormals[i]) : glm::vec3(0, 1, 0);
            if (glm::length(v.normal) < 1e-6f) v.normal = glm::vec3(0, 1, 0);
            v.normal = glm::normalize(v.normal);
            v.texCoords = source.HasTextureCoords(0) ? glm::vec2(source.mTextureCoords[0][i].x, source.mTextureCoords[0][i].y)
                                                     : glm::vec2(0.0f);
            glm::vec3 t = source.mTangents != nullptr ? toVec(source.mTangents[i]) : glm::vec3(0.0f);
            t -= v.normal * glm::dot(v.normal, t);
            v.tangent = glm::length(t) > 1e-6f ? glm::normalize(t) : perpendicular(v.normal);
            // The format keeps no bitangent sign: the shader takes cross(normal, tangent).
            if (source.mBitangents != nullptr &&
                glm::dot(glm::cross(v.normal, v.tangent), toVec(source.mBitangents[i])) < 0.0f)
                ++mirrored_;
        }
        for (unsigned f = 0; f < source.mNumFaces; ++f) {
            const aiFace& face = source.mFaces[f];
            if (face.mNumIndices != 3) continue;
            mesh.indices.insert(mesh.indices.end(), face.mIndices, face.mIndices + 3);
        }
        result_.model.meshes.push_back(std::move(mesh));
    }

    const ImportRequest& request_;
    const aiScene& scene_;
    ImportResult& result_;
    fs::path sceneDir_;
    fs::path runDir_;
    std::size_t mirrored_ = 0;
};

}  // namespace

std::string missingMapPath(const std::string& map) { return "no-" + map + "-map/"; }

bool writeModelFile(const std::string& path, const ModelData& model, std::string& error) {
    const std::vector<std::uint8_t> bytes = serializeModelFile(model);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool importScene(const ImportRequest& request, ImportResult& result, std::string& error) {
    result = ImportResult();
    error.clear();
    Assimp::Importer importer;
    // Points and lines have no place in a triangle mesh.
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    const aiScene* scene = importer.ReadFile(request.scenePath, kPostProcess);
    if (scene == nullptr || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        error = importer.GetErrorString();
        if (error.empty()) error = "cannot read " + request.scenePath;
        return false;
    }
    Converter converter(request, *scene, result);
    if (converter.run(error)) return true;
    result.model = ModelData();
    return false;
}

#include "tools/bmf/import.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include <assimp/DefaultIOStream.h>
#include <assimp/DefaultIOSystem.h>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include "io/input_file.h"
#include "io/output_file.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kPostProcess = aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals |
                                  aiProcess_CalcTangentSpace | aiProcess_PreTransformVertices | aiProcess_SortByPType |
                                  aiProcess_GenUVCoords | aiProcess_ImproveCacheLocality | aiProcess_FindDegenerates |
                                  aiProcess_ValidateDataStructure;
constexpr float kDefaultShininess = 32.0f;
constexpr float kDefaultSpecular = 0.5f;
const char* const kAllowOutsideOption = "--allow-outside";

// Whether path, followed through symbolic links as far as it exists, lies
// inside folder (itself already resolved).
bool isInside(const fs::path& folder, const fs::path& path) {
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path, ec), ec);
    if (ec) return false;
    const fs::path relative = resolved.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

fs::path resolvedFolder(const std::string& scenePath) {
    std::error_code ec;
    const fs::path folder = fs::absolute(fs::path(scenePath), ec).parent_path();
    const fs::path resolved = fs::weakly_canonical(folder, ec);
    return ec ? folder.lexically_normal() : resolved;
}

// Removes path only if it is a regular file: the output may be a device.
void removeRegularFile(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(path.c_str());
}

void removeEmbedded(const ImportResult& result) {
    for (const std::string& file : result.embeddedWritten) removeRegularFile(file);
    if (!result.createdTextureFolder.empty()) {
        std::error_code ignored;
        fs::remove(result.createdTextureFolder, ignored);  // only when empty: never what was there before
    }
}

// A stream on a file that SceneFiles admitted.
class AdmittedStream : public Assimp::DefaultIOStream {
public:
    AdmittedStream(std::FILE* file, const std::string& name) : Assimp::DefaultIOStream(file, name) {}
};

// The importer's file access: regular files only, never opened in a way that
// blocks, and inside the scene's folder unless allowed: what it reads
// (buffers, material libraries, images it embeds) goes into the output.
// What it turns away is kept, so that the import can fail naming it.
class SceneFiles : public Assimp::DefaultIOSystem {
public:
    SceneFiles(std::string scene, fs::path folder, bool allowOutside)
        : scene_(std::move(scene)), folder_(std::move(folder)), allowOutside_(allowOutside) {}

    bool Exists(const char* file) const override {
        InputFile opened;
        std::string reason;
        return admit(file, opened, reason);
    }

    Assimp::IOStream* Open(const char* file, const char* mode) override {
        if (mode != nullptr && std::strpbrk(mode, "wa+") != nullptr) {
            refuse(std::string(file) + " would be written");
            return nullptr;
        }
        InputFile opened;
        std::string reason;
        if (!admit(file, opened, reason)) return nullptr;
        return new AdmittedStream(opened.stream.release(), file);
    }

    void Close(Assimp::IOStream* stream) override { delete stream; }

    const std::vector<std::string>& refusals() const { return refusals_; }

private:
    // Missing files are the importer's own business (it may only be asking);
    // files that exist but may not be read are recorded.
    bool admit(const char* file, InputFile& opened, std::string& reason) const {
        std::error_code ec;
        const bool exists = fs::exists(fs::symlink_status(file, ec)) || fs::exists(file, ec);
        if (!allowOutside_ && file != scene_ && !isInside(folder_, file)) {
            if (exists)
                refuse(std::string(file) + " is outside the scene's folder (" + kAllowOutsideOption + " allows it)");
            return false;
        }
        if (openInputFile(file, opened, reason)) return true;
        if (opened.fault != InputFault::Missing) refuse(reason);
        return false;
    }

    void refuse(const std::string& reason) const {
        if (std::find(refusals_.begin(), refusals_.end(), reason) == refusals_.end()) refusals_.push_back(reason);
    }

    std::string scene_;  // the file the user named: read wherever it is
    fs::path folder_;
    bool allowOutside_;
    mutable std::vector<std::string> refusals_;
};

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
        : request_(request),
          scene_(scene),
          result_(result),
          sceneDir_(fs::absolute(fs::path(request.scenePath)).parent_path()),
          sceneFolder_(resolvedFolder(request.scenePath)),
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
            mesh.materialIndex = static_cast<std::uint64_t>(
                std::lower_bound(used.begin(), used.end(), mesh.materialIndex) - used.begin());
        if (mirrored_ > 0)
            warn(std::to_string(mirrored_) +
                 " vertices have mirrored texture coordinates; normal maps shade them inverted");
        return true;
    }

private:
    // Once each: many materials may name the same image.
    void warn(const std::string& line) {
        if (std::find(result_.warnings.begin(), result_.warnings.end(), line) == result_.warnings.end())
            result_.warnings.push_back(line);
    }

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
        // The hint comes from the scene: only letters and digits may reach a file name.
        std::string hint;
        for (const char* c = texture.achFormatHint; *c != '\0' && c < std::end(texture.achFormatHint); ++c)
            if (std::isalnum(static_cast<unsigned char>(*c)) != 0) hint += *c;
        if (hint.empty()) hint = "bin";
        const fs::path out = fs::path(request_.outputPath);
        const fs::path folder = out.parent_path() / (out.stem().string() + "_textures");
        const fs::path file = folder / ("texture" + std::to_string(index) + "." + hint);
        // Only the one folder: the output's own folder was checked to exist.
        std::error_code ec;
        if (fs::create_directory(folder, ec)) result_.createdTextureFolder = folder.string();
        if (ec) {
            error = "cannot create " + folder.string() + ": " + ec.message();
            return false;
        }
        // Written before the check, so that a partly written file is removed with the rest.
        result_.embeddedWritten.push_back(file.string());
        if (!writeWholeFile(file.string(), texture.pcData, texture.mWidth, error)) return false;
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
            // Blender writes a path beside its file as "//name".
            const bool besideScene = name.rfind("//", 0) == 0;
            const fs::path file = besideScene                    ? sceneDir_ / name.substr(2)
                                  : fs::path(name).is_absolute() ? fs::path(name)
                                                                 : sceneDir_ / name;
            // Only the path goes into the output, not the image: named, not refused.
            if (!isInside(sceneFolder_, file)) warn(map + " map " + name + " is outside the scene's folder");
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
        record.shininess =
            m.Get(AI_MATKEY_SHININESS, shininess) == AI_SUCCESS && shininess > 0.0f ? shininess : kDefaultShininess;
        return mapPath(m, {aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR}, "diffuse", record.diffuseMapPath, error) &&
               mapPath(m, {aiTextureType_NORMALS, aiTextureType_NORMAL_CAMERA}, "normal", record.normalMapPath,
                       error) &&
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
            v.texCoords = source.HasTextureCoords(0)
                              ? glm::vec2(source.mTextureCoords[0][i].x, source.mTextureCoords[0][i].y)
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
    fs::path sceneFolder_;  // sceneDir_ with links resolved
    fs::path runDir_;
    std::size_t mirrored_ = 0;
};

}  // namespace

std::string missingMapPath(const std::string& map) { return "no-" + map + "-map/"; }

bool writeModelFile(const std::string& path, const ModelData& model, std::string& error) {
    const std::vector<std::uint8_t> bytes = serializeModelFile(model);
    return writeWholeFile(path, bytes.data(), bytes.size(), error);
}

void removeImportOutput(const std::string& outputPath, const ImportResult& result) {
    removeRegularFile(outputPath);
    removeEmbedded(result);
}

bool importScene(const ImportRequest& request, ImportResult& result, std::string& error) {
    result = ImportResult();
    error.clear();
    // The output's folder must be there already, whether or not the scene
    // has embedded images to write beside it.
    const fs::path outputFolder = fs::path(request.outputPath).parent_path();
    std::error_code ec;
    if (!outputFolder.empty() && !fs::is_directory(outputFolder, ec)) {
        error = "cannot write " + request.outputPath + ": no folder " + outputFolder.string();
        return false;
    }
    Assimp::Importer importer;
    // Points and lines have no place in a triangle mesh.
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    SceneFiles* files = new SceneFiles(request.scenePath, resolvedFolder(request.scenePath), request.allowOutside);
    importer.SetIOHandler(files);  // the importer owns it from here
    const aiScene* scene = importer.ReadFile(request.scenePath, kPostProcess);
    if (!files->refusals().empty()) {
        // Whatever the importer made of it, a file it needed was not read.
        error = files->refusals().front();
        return false;
    }
    if (scene == nullptr || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        error = importer.GetErrorString();
        if (error.empty()) error = "cannot read " + request.scenePath;
        return false;
    }
    Converter converter(request, *scene, result);
    if (converter.run(error)) return true;
    removeEmbedded(result);
    result = ImportResult();
    return false;
}

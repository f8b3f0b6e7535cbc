#include "assets/generate.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <thread>

#include "assets/scene/material_library.h"
#include "io/output_file.h"
#include "io/png_writer.h"

namespace fs = std::filesystem;

SurfaceMaps renderTextureSet(const std::string& name, int size) {
    const TextureSetDef& def = findTextureSet(name);
    SurfaceMaps maps = def.make(size);
    maps.texSize = def.texSize;
    return maps;
}

EncodedTextureSet encodeTextureSet(const std::string& name) {
    // The recipes draw by sampling each pixel's centre; a small set is drawn
    // larger and averaged down, so that detail finer than its pixels blends
    // instead of aliasing.
    const TextureSetDef& def = findTextureSet(name);
    const int drawn = std::max(def.size, def.drawnSize);
    const int factor = drawn / def.size;
    const SurfaceMaps maps = renderTextureSet(name, drawn);
    const ScalarField height = downsampled(maps.height, factor);
    EncodedTextureSet out{name, {}};
    out.files.push_back(encodePng(toRgbImage(downsampled(maps.albedo, factor))));
    out.files.push_back(encodePng(normalMapFromHeight(maps.height, maps.bumpDepth, maps.texSize, factor)));
    out.files.push_back(encodePng(toGreyImage(downsampled(maps.specular, factor))));
    out.files.push_back(encodePng(depthMapFromHeight(height)));
    return out;
}

namespace {

std::size_t triangles(const ModelData& model) {
    std::size_t n = 0;
    for (const MeshRecord& mesh : model.meshes) n += mesh.indices.size() / 3;
    return n;
}

// Every texture set any model uses, each once, in first-use order.
std::vector<std::string> allTextureSets(const std::vector<SceneModel>& models) {
    std::vector<std::string> sets;
    for (const SceneModel& m : models)
        for (const std::string& s : m.textureSets)
            if (std::find(sets.begin(), sets.end(), s) == sets.end()) sets.push_back(s);
    return sets;
}

std::vector<EncodedTextureSet> encodeAll(const std::vector<std::string>& names) {
    std::vector<EncodedTextureSet> encoded(names.size());
    std::atomic<std::size_t> next{0};
    const unsigned workers = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    std::vector<std::thread> pool;
    for (unsigned w = 0; w < workers; ++w) {
        pool.emplace_back([&] {
            for (std::size_t i = next++; i < names.size(); i = next++) encoded[i] = encodeTextureSet(names[i]);
        });
    }
    for (std::thread& t : pool) t.join();
    return encoded;
}

}  // namespace

bool generateAssets(const std::string& outDir, GenerationReport& report, std::string& error) {
    const std::vector<SceneModel> models = buildSceneModels();
    // Make the folders first, so that an unusable output directory fails
    // before seconds go into the textures.
    for (const SceneModel& model : models) {
        std::error_code ec;
        const fs::path folder = fs::path(outDir) / model.textureDir;
        fs::create_directories(folder, ec);
        if (ec || !fs::is_directory(folder)) {
            error = "cannot write " + folder.string() + (ec ? ": " + ec.message() : "");
            return false;
        }
    }
    const std::vector<std::string> setNames = allTextureSets(models);
    const std::vector<EncodedTextureSet> encoded = encodeAll(setNames);
    std::map<std::string, const EncodedTextureSet*> byName;
    for (const EncodedTextureSet& e : encoded) byName[e.name] = &e;

    report = GenerationReport();
    auto write = [&](const fs::path& path, const std::vector<std::uint8_t>& bytes) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        std::string unused;  // the generator's line names the file alone
        if (!writeWholeFile(path.string(), bytes.data(), bytes.size(), unused)) {
            error = "cannot write " + path.string();
            return false;
        }
        ++report.filesWritten;
        report.bytesWritten += bytes.size();
        return true;
    };
    for (const SceneModel& model : models) {
        for (const std::string& set : model.textureSets) {
            const std::vector<std::string> names = textureFileNames(set);
            for (std::size_t i = 0; i < names.size(); ++i)
                if (!write(fs::path(outDir) / model.textureDir / names[i], byName.at(set)->files[i])) return false;
        }
        if (!write(fs::path(outDir) / model.path, serializeModelFile(model.data))) return false;
        report.modelPaths.push_back(model.path);
        report.triangleCounts.push_back(triangles(model.data));
    }
    return true;
}

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/scene/scene_models.h"
#include "assets/texture/image.h"

// The four encoded images of one texture set, in the model file's map order.
struct EncodedTextureSet {
    std::string name;
    std::vector<std::vector<std::uint8_t>> files;  // diffuse, normal, specular, displacement
};

// Renders and encodes a texture set (pure; no files).
EncodedTextureSet encodeTextureSet(const std::string& name);
// The surface maps of a texture set at a chosen size (for previews and tests).
SurfaceMaps renderTextureSet(const std::string& name, int size);

struct GenerationReport {
    std::vector<std::string> modelPaths;
    std::vector<std::size_t> triangleCounts;  // per model, same order
    std::size_t filesWritten = 0;
    std::uintmax_t bytesWritten = 0;
};

// Writes the three model files and all their images under outDir, creating
// folders as needed. Texture sets are rendered on worker threads; the bytes
// do not depend on their number. False with error set when a file cannot be written.
bool generateAssets(const std::string& outDir, GenerationReport& report, std::string& error);

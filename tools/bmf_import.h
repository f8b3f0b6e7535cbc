#pragma once

#include <string>
#include <vector>

#include "model/bmf_format.h"

// Conversion of a scene in a standard format (Wavefront OBJ, glTF 2.0 and the
// other formats Assimp reads) into one model of the demo's format.
//
// Texture paths: the source names its images relative to its own folder; the
// model file names them relative to the directory the demo runs in (runDir),
// with '/' as separator. Images embedded in the source are written as files
// into a folder beside the output file (outputPath without ".bmf", plus
// "_textures") and named from there. A map the source does not have is
// written as "no-<map>-map/", a path that names no image, which the loader
// reports and tolerates.
struct ImportRequest {
    std::string scenePath;
    std::string outputPath;     // where the model file will be written
    std::string runDir = ".";   // the demo's working directory
};

struct ImportResult {
    ModelData model;
    std::vector<std::string> warnings;         // one line each
    std::vector<std::string> embeddedWritten;  // image files written for embedded textures
};

// Reads and converts the scene: triangulated, node transforms applied,
// smooth normals where the source has none, tangents along +u. Writes only
// the embedded images, not the model file. False with error set on failure.
bool importScene(const ImportRequest& request, ImportResult& result, std::string& error);

// Writes the model file; false with error set when it cannot be written.
bool writeModelFile(const std::string& path, const ModelData& model, std::string& error);

// The missing-map path for one of "diffuse", "normal", "specular", "displacement".
std::string missingMapPath(const std::string& map);

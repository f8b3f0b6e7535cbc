#pragma once

#include <string>
#include <vector>

#include "model/bmf_format.h"

// Conversion of a scene in a standard format (Wavefront OBJ, glTF 2.0 and the
// other formats Assimp reads) into one model of the demo's format.
//
// Texture paths: the source names its images relative to its own folder (a
// leading "//", Blender's, is that folder too); the model file names them
// relative to the directory the demo runs in (runDir), with '/' as separator.
// Images embedded in the source are written as files into a folder beside the
// output file (outputPath without ".bmf", plus "_textures") and named from
// there. A map the source does not have is written as "no-<map>-map/", a path
// that names no image, which the loader reports and tolerates.
//
// A scene is untrusted input: every file the import reads (the buffers,
// material libraries and images that the importer takes in, whose bytes go
// into the output) must lie inside the scene's own folder, unless
// allowOutside is set, and only regular files are read. A texture path is
// only recorded: one that leaves the folder is kept, with a warning.
struct ImportRequest {
    std::string scenePath;
    std::string outputPath;     // where the model file will be written
    std::string runDir = ".";   // the demo's working directory
    bool allowOutside = false;  // files outside the scene's folder may be read
};

struct ImportResult {
    ModelData model;
    std::vector<std::string> warnings;         // one line each, each line once
    std::vector<std::string> embeddedWritten;  // image files written for embedded textures
    std::string createdTextureFolder;          // the folder for them, if this import made it
};

// Reads and converts the scene: triangulated, node transforms applied,
// smooth normals where the source has none, tangents along +u. Writes only
// the embedded images, not the model file. The output's folder must exist.
// False with error set on failure, having removed what it wrote.
bool importScene(const ImportRequest& request, ImportResult& result, std::string& error);

// Writes the model file, checking every write and the close; false with
// error set when it cannot be written completely.
bool writeModelFile(const std::string& path, const ModelData& model, std::string& error);

// Removes what an import wrote: the embedded images, their folder if the
// import made it, and the model file at outputPath if it is a regular file.
void removeImportOutput(const std::string& outputPath, const ImportResult& result);

// The missing-map path for one of "diffuse", "normal", "specular", "displacement".
std::string missingMapPath(const std::string& map);

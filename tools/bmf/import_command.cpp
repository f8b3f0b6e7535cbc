// bmf import SCENE OUT.bmf [--run-dir DIR] [--allow-outside]: converts a
// scene (OBJ, glTF, ...) into a model file whose texture paths are relative
// to DIR, the directory the demo runs in (default: the current directory).
// --allow-outside lets the import read files outside the scene's own folder.
#include <iostream>

#include "tools/bmf/commands.h"
#include "tools/bmf/import.h"

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::size_t triangleCount(const ModelData& model) {
    std::size_t n = 0;
    for (const MeshRecord& mesh : model.meshes) n += mesh.indices.size() / 3;
    return n;
}

}  // namespace

int runImport(const std::vector<std::string>& args) {
    ImportRequest request;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--run-dir") {
            if (i + 1 == args.size()) return kExitUsage;
            request.runDir = args[++i];
        } else if (args[i] == "--allow-outside") {
            request.allowOutside = true;
        } else if (args[i].rfind("--", 0) == 0) {
            return kExitUsage;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return kExitUsage;
    request.scenePath = positional[0];
    request.outputPath = positional[1];

    ImportResult result;
    std::string error;
    // Scene text (names, paths, the importer's messages) is printed escaped.
    if (!importScene(request, result, error)) {
        std::cout << "bmf import: " << printable(error) << std::endl;
        return kExitFailure;
    }
    if (!writeModelFile(request.outputPath, result.model, error)) {
        removeImportOutput(request.outputPath, result);
        std::cout << "bmf import: " << printable(error) << std::endl;
        return kExitFailure;
    }
    for (const std::string& warning : result.warnings) std::cout << "warning: " << printable(warning) << std::endl;
    for (const std::string& file : result.embeddedWritten) std::cout << "wrote " << printable(file) << std::endl;
    std::cout << request.outputPath << ": " << counted(result.model.materials.size(), "material", "materials") << ", "
              << counted(result.model.meshes.size(), "mesh", "meshes") << ", "
              << counted(triangleCount(result.model), "triangle", "triangles") << "; texture paths relative to "
              << request.runDir << std::endl;
    return kExitOk;
}
